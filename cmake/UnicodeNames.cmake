# The table of Unicode character names that model/CharNames.cpp includes.
# tools/gen-unicode-names.cpp writes it at build time from Debian's
# unicode-data; the generator is built with the build machine's own C++
# compiler (in the cross builds too) when a folder is configured, and the
# table lands in the build folder:
#   include(cmake/UnicodeNames.cmake)
#   quorrel_unicode_names(<target>)    # the target compiles CharNames.cpp
set(QUORREL_UNICODE_DATA /usr/share/unicode CACHE PATH
    "Folder of UnicodeData.txt and NameAliases.txt (Debian's unicode-data)")
foreach(file UnicodeData.txt NameAliases.txt)
  if(NOT EXISTS ${QUORREL_UNICODE_DATA}/${file})
    message(FATAL_ERROR "${QUORREL_UNICODE_DATA}/${file} is missing: install Debian's "
                        "unicode-data package (./test and ./run do), or set QUORREL_UNICODE_DATA")
  endif()
endforeach()
find_program(QUORREL_BUILD_CXX NAMES c++ g++ clang++ REQUIRED
             DOC "The build machine's C++ compiler, for the generators that run during the build")

# The generator is built once for all build folders, when the first of them
# is configured, into build/deps (as GoogleTest is): a name with the hash of
# its source, so that a changed generator is built anew (editing it
# reconfigures every folder) while the others keep using theirs.
file(SHA256 ${CMAKE_SOURCE_DIR}/tools/gen-unicode-names.cpp generator_hash)
string(SUBSTRING ${generator_hash} 0 16 generator_hash)
set(QUORREL_NAMES_GENERATOR ${CMAKE_SOURCE_DIR}/build/deps/gen-unicode-names-${generator_hash})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/tools/gen-unicode-names.cpp)
file(MAKE_DIRECTORY ${CMAKE_SOURCE_DIR}/build/deps)
file(LOCK ${CMAKE_SOURCE_DIR}/build/deps/gen-unicode-names.lock)
if(NOT EXISTS ${QUORREL_NAMES_GENERATOR})
  message(STATUS "Building gen-unicode-names with the build machine's compiler")
  file(GLOB old_generators ${CMAKE_SOURCE_DIR}/build/deps/gen-unicode-names-*)
  execute_process(
    COMMAND ${QUORREL_BUILD_CXX} -std=c++17 -O2 -Wall -Wextra -o ${QUORREL_NAMES_GENERATOR}.new
            ${CMAKE_SOURCE_DIR}/tools/gen-unicode-names.cpp
    RESULT_VARIABLE built)
  if(NOT built EQUAL 0)
    file(LOCK ${CMAKE_SOURCE_DIR}/build/deps/gen-unicode-names.lock RELEASE)
    message(FATAL_ERROR "tools/gen-unicode-names.cpp does not build with ${QUORREL_BUILD_CXX}")
  endif()
  file(RENAME ${QUORREL_NAMES_GENERATOR}.new ${QUORREL_NAMES_GENERATOR})
  if(old_generators)
    file(REMOVE ${old_generators})
  endif()
endif()
file(LOCK ${CMAKE_SOURCE_DIR}/build/deps/gen-unicode-names.lock RELEASE)

set(QUORREL_NAMES_TABLE ${CMAKE_BINARY_DIR}/generated/UnicodeNames.inc)
add_custom_command(
  OUTPUT ${QUORREL_NAMES_TABLE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${QUORREL_NAMES_GENERATOR} ${QUORREL_UNICODE_DATA}/UnicodeData.txt
          ${QUORREL_UNICODE_DATA}/NameAliases.txt ${QUORREL_NAMES_TABLE}
  DEPENDS ${QUORREL_NAMES_GENERATOR} ${QUORREL_UNICODE_DATA}/UnicodeData.txt
          ${QUORREL_UNICODE_DATA}/NameAliases.txt
  COMMENT "Writing the Unicode name table"
  VERBATIM)
add_custom_target(unicode_names DEPENDS ${QUORREL_NAMES_TABLE})

function(quorrel_unicode_names target)
  add_dependencies(${target} unicode_names)
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/generated)
endfunction()
