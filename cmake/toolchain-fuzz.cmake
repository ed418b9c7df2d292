# Fuzz build: the native host build compiled by clang 14 with libFuzzer coverage; the
# address and undefined-behaviour sanitizers come from QM_SANITIZE (scripts/fuzz).
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_FLAGS_INIT "-fsanitize=fuzzer-no-link")
set(CMAKE_CXX_FLAGS_INIT "-fsanitize=fuzzer-no-link")
