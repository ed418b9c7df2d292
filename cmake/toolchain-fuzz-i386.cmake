# Fuzz build: the 32-bit host build compiled by clang 14 with libFuzzer coverage and the
# address and undefined-behaviour sanitizers (scripts/fuzz-codec).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-host-i386.cmake)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_FLAGS_INIT "-m32 -fsanitize=fuzzer-no-link")
set(CMAKE_CXX_FLAGS_INIT "-m32 -fsanitize=fuzzer-no-link")
