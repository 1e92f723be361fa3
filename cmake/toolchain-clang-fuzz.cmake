# Natively with clang, for the libFuzzer targets in build/fuzz: the libraries
# with the fuzzer's coverage under AddressSanitizer and UBSan, and the two
# fuzz targets (fuzz/). Nothing else is built in this folder.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(QUORREL_FUZZ ON)
