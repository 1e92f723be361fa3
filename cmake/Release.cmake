# The release build: the 32-bit Quorrel.dll that users copy into Far. It is
# made small (Far loads every plugin at start-up, and old machines count):
# optimised for size, unreferenced sections dropped, no debug information in
# the shipped file.
#
# Not -ffunction-sections or -fdata-sections: they make this DLL 13 KB larger.
# The PE linker script keeps all of .eh_frame, which refers to every function
# with unwind information, so almost nothing becomes collectable, while each
# function's own section costs alignment padding, and zero-filled variables
# that need construction (the code-table list) move from .bss into .data.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_link_options(-Wl,--gc-sections)

# quorrel_release_module(target sources...): the sources join the module
# alone (run-time replacements, see plugin/RuntimeFailures.cpp). After each
# link, the symbols go into <module>.debug (for reading addresses from crash
# reports, found through a .gnu_debuglink section) and the module is
# stripped. CTest then checks its tables: the exports, and imports that every
# Windows since NT 4.0 has.
# (enable_testing sets a variable: here, not in the function, so that it
# holds for the folder that defines the module.)
enable_testing()
function(quorrel_release_module target)
  target_sources(${target} PRIVATE ${ARGN})
  set(module $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${module} ${module}.debug
    COMMAND ${CMAKE_STRIP} --strip-all ${module}
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${module}.debug ${module}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
  add_test(NAME dll_check COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-dll.sh ${module})
  add_test(NAME dll_imports COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-imports.sh ${module})
  # The import check itself, on small DLLs that must pass or fail it.
  add_test(NAME dll_imports_cases COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-imports-test.sh)
  set_tests_properties(dll_check dll_imports dll_imports_cases PROPERTIES
    ENVIRONMENT "OBJDUMP=${CMAKE_OBJDUMP};CC_I686=${CMAKE_C_COMPILER}")
endfunction()
