# Fuzz targets. Each parser of outside input has an entry file (LLVMFuzzerTestOneInput)
# in a fuzz/ folder beside its tests, with its seed corpus in fuzz/corpus/ and the inputs
# of fixed findings in fuzz/findings/.
option(QM_FUZZ "Build the libFuzzer targets (clang only; scripts/fuzz)" OFF)

# qm_add_fuzz_target(<name> TEST <TestName> ENTRY <file> [SOURCES ...] [LIBS ...]
#                    [DEPENDS ...] [DEFINITIONS ...]):
# every host build gets the test program <name>_fuzz_replay, which runs the entry over
# each file of corpus/ and findings/ of the entry's folder (test FuzzReplay.<TestName>);
# the fuzz build also gets the libFuzzer program <name>_fuzz, compiled with QM_LIBFUZZER
# defined.
function(qm_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "TEST;ENTRY" "SOURCES;LIBS;DEPENDS;DEFINITIONS" ${ARGN})
  if(NOT QM_HOST)
    return()
  endif()
  get_filename_component(entry ${ARG_ENTRY} ABSOLUTE)
  get_filename_component(folder ${entry} DIRECTORY)
  set(replay ${name}_fuzz_replay)
  qm_add_test(${replay}
    SOURCES ${CMAKE_SOURCE_DIR}/testing/fuzz/fuzz_replay_test.cpp ${entry} ${ARG_SOURCES}
    LIBS ${ARG_LIBS} qmtest_fuzz)
  target_compile_definitions(${replay} PRIVATE
    QM_FUZZ_DIR="${folder}" QM_FUZZ_TEST=${ARG_TEST} ${ARG_DEFINITIONS})
  if(ARG_DEPENDS)
    add_dependencies(${replay} ${ARG_DEPENDS})
  endif()
  if(NOT QM_FUZZ)
    return()
  endif()
  add_executable(${name}_fuzz ${entry} ${ARG_SOURCES})
  target_compile_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name}_fuzz PRIVATE ${ARG_LIBS} qmtest_fuzz)
  target_compile_definitions(${name}_fuzz PRIVATE QM_LIBFUZZER ${ARG_DEFINITIONS})
  set_target_properties(${name}_fuzz PROPERTIES BUILD_RPATH "$ORIGIN")
  if(ARG_DEPENDS)
    add_dependencies(${name}_fuzz ${ARG_DEPENDS})
  endif()
endfunction()
