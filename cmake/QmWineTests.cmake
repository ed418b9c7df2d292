# The tests of the 64-bit Windows build, run under Wine (scripts/wine-run). The same test
# sources as the host build, compiled against the real Windows headers and run against
# Wine's implementation of the Windows API. GoogleTest is cross-built from Debian's sources
# into the build tree.
#
# Which tests run under Wine: the programs of QM_WINE_PROGRAMS below; a new test program
# runs on the host only until it is added there. Within those programs, the one list
# below keeps single test sources (their path from the top of the tree) or single tests
# (Suite.Name) on the host, each with the reason it cannot run under Wine; entries naming
# whole programs record why those programs stay on the host.

option(QM_WINE_TESTS "Build the tests of the 64-bit Windows build, to run under Wine" ON)
set(QM_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")

# The test programs built for Windows and run under Wine.
set(QM_WINE_PROGRAMS
  crypt_tests dma_tests jobtext_info_tests kernel_tests management_tests psw_class_caller_tests
  registry_tests settings_tests util_module_tests util_tests)

set(QM_HOST_ONLY_TESTS "")
set(QM_HOST_ONLY_CASES "")
# qm_host_only(<program, test source or Suite.Name> <reason>)
macro(qm_host_only entry reason)
  list(APPEND QM_HOST_ONLY_TESTS ${entry})
  if("${entry}" MATCHES "^[A-Za-z0-9_]+\\.[A-Za-z0-9_]+$")
    list(APPEND QM_HOST_ONLY_CASES ${entry})
  endif()
endmacro()

# Reasons, in short: "engine" drives the graphics-engine callbacks (Eng*, *OBJ_*), which
# Wine's gdi32 does not provide; "spooler" needs the spooler with our driver installed (or
# our spooler's fault switches); "leak counters", "fault injection", "pins" (of locale, code
# page, clock, user, OS version, adapters, COM classes), "message boxes" (answered through
# our controls: modal boxes block under Wine without a display), "debug output" and "our
# platform root" name the host platform layer's test controls (platform/testing/) the test
# uses; "no Windows API" marks programs that check our own formats only.

# Whole programs.
qm_host_only(engine_tests "engine")
qm_host_only(spooler_tests "spooler")
qm_host_only(gdi_tests "spooler: printer DCs of our installed driver")
qm_host_only(winsock_tests "pins, leak counters: our sockets and adapters")
qm_host_only(com_tests "pins: our COM class registrations")
qm_host_only(management_net_tests "pins: our adapters and IP tables; the agent tests need snmpd")
qm_host_only(management_codec_replay "leak counters (management/tests/pmc_test_support.h)")
qm_host_only(dddc_tests "no Windows API: the description compiler's own formats")
qm_host_only(qm_lumiq_decoder_tests "no Windows API: the test reader of print streams")
qm_host_only(qmencoder_tests "no Windows API: the encoder's own format")
qm_host_only(output_tests "spooler, message boxes")
qm_host_only(memory_tests "leak counters, fault injection")
qm_host_only(render_writer_tests "our platform root, leak counters")
qm_host_only(render_fonts_tests "engine, pins: installed font families")
qm_host_only(render_fontsub_tests "engine, leak counters")
qm_host_only(render_page_tests "engine")
qm_host_only(render_job_tests "engine, spooler")
qm_host_only(render_fax_tests "engine, spooler")
qm_host_only(render_header_tests "engine, pins")
qm_host_only(render_pdev_tests "engine")
qm_host_only(render_entry_tests "engine")
qm_host_only(render_pdev_output_tests "engine")
qm_host_only(render_escape_tests "engine")
qm_host_only(render_forms_tests "engine")
qm_host_only(dma_binding_tests "engine, fault injection")
qm_host_only(printhost_tests "engine")
qm_host_only(printhost_print_tests "engine, spooler")
qm_host_only(printhost_escape_tests "engine")

qm_host_only(constraints_tests "builds description data in memory with dddc, a host tool")
qm_host_only(ddd_tests "builds description data in memory with dddc, a host tool")
qm_host_only(context_tests "builds description data in memory with dddc, a host tool")
qm_host_only(stored_tests "builds description data in memory with dddc, a host tool")
qm_host_only(handlers_tests "builds description data in memory with dddc, a host tool")
qm_host_only(jobtext_attr_tests "builds description data in memory with dddc, a host tool")
qm_host_only(printer_forms_tests "leak counters, fault injection")
qm_host_only(printer_info_tests "leak counters, fault injection")
qm_host_only(trace_tests "debug output, leak counters, pins")
qm_host_only(config_tests "leak counters, fault injection")
qm_host_only(nodelist_tests "leak counters, fault injection")
qm_host_only(dma_c_caller "pins: the ANSI code page")

# Single test sources of programs that otherwise run under Wine.
qm_host_only(core/config/tests/config_file_test.cpp "leak counters")
qm_host_only(core/config/tests/special_settings_test.cpp "leak counters, fault injection")
qm_host_only(core/constraints/tests/cst_checks_test.cpp "leak counters")
qm_host_only(core/constraints/tests/cst_resolve_test.cpp "leak counters")
qm_host_only(core/constraints/tests/cst_special_test.cpp "pins")
qm_host_only(core/constraints/tests/cst_state_test.cpp "leak counters, fault injection")
qm_host_only(core/context/tests/context_test.cpp "uses our spooler, leak counters, fault injection, pins")
qm_host_only(core/ddd/tests/ddd_access_test.cpp "leak counters, fault injection, pins, our platform root")
qm_host_only(core/ddd/tests/ddd_corrupt_test.cpp "leak counters, fault injection")
qm_host_only(core/ddd/tests/ddd_reader_test.cpp "leak counters, fault injection, pins")
qm_host_only(core/ddd/tests/ddd_tiny_test.cpp "leak counters")
qm_host_only(core/ddd/tests/model_query_test.cpp "leak counters, pins")
qm_host_only(core/handlers/tests/defaults_test.cpp "answers message boxes, leak counters, pins")
qm_host_only(core/handlers/tests/option_icons_test.cpp "leak counters, fault injection")
qm_host_only(core/jobtext/tests/job_attr_test.cpp "pins")
qm_host_only(core/jobtext/tests/job_component_test.cpp "leak counters, fault injection")
qm_host_only(core/nodelist/tests/nodelist_test.cpp "leak counters, fault injection")
qm_host_only(core/printerdata/tests/printer_info_test.cpp "leak counters, fault injection")
qm_host_only(core/settings/tests/settings_access_benchmark.cpp "leak counters")
qm_host_only(core/settings/tests/settings_access_test.cpp "leak counters, fault injection")
qm_host_only(core/stored/tests/chunked_value_test.cpp "uses our spooler, leak counters")
qm_host_only(core/stored/tests/printer_data_test.cpp "uses our spooler, leak counters, our platform root")
qm_host_only(core/stored/tests/printer_forms_test.cpp "leak counters, fault injection")
qm_host_only(core/stored/tests/settings_blocks_test.cpp "leak counters, fault injection")
qm_host_only(core/stored/tests/user_setting_info_test.cpp "leak counters")
qm_host_only(core/trace/tests/trace_test.cpp "leak counters, pins, reads debug output")
qm_host_only(core/util/tests/codec_test.cpp "fault injection, pins")
qm_host_only(core/util/tests/host_env_test.cpp "leak counters, fault injection, pins, our platform root")
qm_host_only(core/util/tests/resource_module_test.cpp "leak counters, fault injection")
qm_host_only(devmode_access/tests/dma_docprop_faults_test.cpp "fault injection, leak counters")
qm_host_only(devmode_access/tests/dma_records_codepage_test.cpp "pins")
qm_host_only(devmode_access/tests/dma_strings_test.cpp "pins")
qm_host_only(management/base/tests/pmc_string_test.cpp "pins")
qm_host_only(management/logging/tests/pmc_log_test.cpp "pins, our platform root")
qm_host_only(management/network/tests/pmc_adapter_info_test.cpp "pins")
qm_host_only(management/network/tests/pmc_datagram_socket_test.cpp "leak counters")
qm_host_only(management/network/tests/pmc_local_network_info_test.cpp "fault injection, pins")
qm_host_only(management/network/tests/pmc_network_address_test.cpp "fault injection")
qm_host_only(management/network/tests/pmc_socket_api_test.cpp "leak counters, fault injection, pins")
qm_host_only(management/psw/tests/psw_api_test.cpp "pins")
qm_host_only(management/snmpv3/tests/pmc_crypto_test.cpp "fault injection")
qm_host_only(management/snmpv3/tests/pmc_snmpv3_packet_test.cpp "fault injection")
qm_host_only(management/snmpv3/tests/pmc_snmpv3_test.cpp "fault injection, our platform root")
qm_host_only(platform/src/com/tests/com_test.cpp "leak counters, pins")
qm_host_only(platform/src/crypt/tests/crypt_controls_test.cpp "fault injection: hidden exports, refused providers")
qm_host_only(platform/src/engine/tests/glyphset_test.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(platform/src/engine/tests/objects_test.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(platform/src/engine/tests/palette_test.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(platform/src/engine/tests/surface_test.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(platform/src/gdi/tests/fonts_test.cpp "leak counters, pins")
qm_host_only(platform/src/gdi/tests/printer_dc_test.cpp "drives the graphics-engine callbacks, leak counters, fault injection")
qm_host_only(platform/src/kernel/tests/codepage_test.cpp "pins")
qm_host_only(platform/src/kernel/tests/file_test.cpp "leak counters, fault injection")
qm_host_only(platform/src/kernel/tests/format_test.cpp "pins")
qm_host_only(platform/src/kernel/tests/identity_test.cpp "pins")
qm_host_only(platform/src/kernel/tests/locale_test.cpp "pins")
qm_host_only(platform/src/kernel/tests/memory_test.cpp "leak counters, fault injection")
qm_host_only(platform/src/kernel/tests/message_test.cpp "answers message boxes, pins, reads debug output")
qm_host_only(platform/src/kernel/tests/module_test.cpp "leak counters, fault injection")
qm_host_only(platform/src/kernel/tests/path_test.cpp "our platform root")
qm_host_only(platform/src/kernel/tests/resource_test.cpp "leak counters")
qm_host_only(platform/src/kernel/tests/time_test.cpp "pins")
qm_host_only(platform/src/kernel/tests/version_test.cpp "pins")
qm_host_only(platform/src/registry/tests/registry_controls_test.cpp "pins, fault injection, our platform root")
qm_host_only(platform/src/spooler/tests/jobs_test.cpp "uses our spooler, pins, our platform root")
qm_host_only(platform/src/spooler/tests/printers_test.cpp "uses our spooler, leak counters")
qm_host_only(platform/src/winsock/tests/iphlpapi_test.cpp "pins")
qm_host_only(platform/src/winsock/tests/winsock_test.cpp "leak counters, fault injection")
qm_host_only(render/driver/binding/tests/dma_binding_test.cpp "leak counters, fault injection")
qm_host_only(render/driver/entry/tests/entry_test.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(render/driver/entry/tests/pdev_fixture.cpp "uses our spooler, leak counters")
qm_host_only(render/driver/entry/tests/pdev_test.cpp "drives the graphics-engine callbacks, leak counters, fault injection")
qm_host_only(render/driver/escape/tests/escape_payload_test.cpp "fault injection")
qm_host_only(render/driver/escape/tests/fuzz/escape_fuzz_entry.cpp "uses our spooler, our platform root")
qm_host_only(render/driver/forms/tests/forms_test.cpp "leak counters, our platform root")
qm_host_only(render/driver/header/tests/header_fixture.cpp "leak counters, fault injection, pins, our platform root")
qm_host_only(render/driver/header/tests/job_info_fill_test.cpp "fault injection")
qm_host_only(render/driver/header/tests/job_text_test.cpp "leak counters, fault injection, pins")
qm_host_only(render/driver/header/tests/string_util_test.cpp "leak counters, fault injection, pins, our platform root")
qm_host_only(render/driver/header/tests/trace_records_test.cpp "fault injection, pins, our platform root")
qm_host_only(render/driver/job/tests/extended_escape_test.cpp "uses our spooler")
qm_host_only(render/driver/job/tests/job_fixture.cpp "drives the graphics-engine callbacks, leak counters")
qm_host_only(render/driver/job/tests/job_flow_test.cpp "uses our spooler")
qm_host_only(render/driver/page/tests/page_snapshot_test.cpp "pins")
qm_host_only(render/driver/page/tests/text_layout_test.cpp "pins")
qm_host_only(render/pdl/fonts/tests/fonts_test.cpp "leak counters, pins")
qm_host_only(render/pdl/memory/tests/printer_memory_test.cpp "leak counters, fault injection")
qm_host_only(render/pdl/writer/tests/writer_cache_test.cpp "leak counters, fault injection")
qm_host_only(render/pdl/writer/tests/writer_fixture.cpp "leak counters, our platform root")
qm_host_only(render/pdl/writer/tests/writer_job_test.cpp "pins")
qm_host_only(render/stream/tests/folder_path_test.cpp "answers message boxes, fault injection")
qm_host_only(render/stream/tests/output_benchmark.cpp "uses our spooler, our platform root")
qm_host_only(render/stream/tests/output_fixture.cpp "answers message boxes, uses our spooler, leak counters, fault injection")
qm_host_only(render/stream/tests/stream_test.cpp "answers message boxes, uses our spooler, leak counters, fault injection")
qm_host_only(render/stream/tests/temp_file_test.cpp "answers message boxes, leak counters, fault injection, pins")
qm_host_only(render/stream/tests/test_printer.cpp "our platform root")
qm_host_only(tools/printhost/tests/dc_sequence_test.cpp "drives the graphics-engine callbacks")
qm_host_only(tools/printhost/tests/escape_script_test.cpp "drives the graphics-engine callbacks, our platform root")
qm_host_only(tools/printhost/tests/print_job_test.cpp "uses our spooler, our platform root")

# Sources that spell wide text as char16_t (u"", std::u16string), the host's WCHAR; under
# Windows WCHAR is wchar_t. platform/testing/qm_wide.h spells it for both.
qm_host_only(core/util/tests/format_text_test.cpp "spells wide text as char16_t")
qm_host_only(devmode_access/tests/dma_user_setting_test.cpp "spells wide text as char16_t")

# Single tests where Windows and our layer are seen to differ (README, "Tests under Wine").
# Profile files: Wine reads only the first of two sections of one name and lists both,
# writes a file back in its own spelling (trimmed names, "key=value"), matches keys
# case-insensitively in ASCII only, and reports a missing section name as
# ERROR_FILE_NOT_FOUND; our layer follows the Windows behaviour its tests pin.
qm_host_only(Profile.OddSpacingDuplicatesAndQuotesReadAsWindows "duplicate sections")
qm_host_only(Profile.ListsAndSectionBlocksEndWithTwoNuls "duplicate sections")
qm_host_only(Profile.WritesChangeOnlyTheLinesConcerned "rewriting a file keeps its other lines")
qm_host_only(Profile.Utf16FilesAreReadAndWrittenBackAsUtf16 "non-ASCII keys match case-insensitively")
# Registry: Wine enumerates values sorted by name where our layer keeps the order they were
# made (Windows documents the order as arbitrary: callers must not rely on either), and
# it writes a terminating zero past a REG_SZ value stored without one when the buffer has
# room, where Windows returns the stored bytes only and leaves termination to the caller.
qm_host_only(Registry.EnumerationIsStableKeysSortedValuesInCreationOrder "value order")
qm_host_only(Registry.EveryTypeReadsBackByteForByteWithTheSizeProtocol "REG_SZ without a terminator")

# CryptoAPI (Wine's rsaenh): Wine makes a hash of CALG_DES where Windows documents
# NTE_BAD_ALGID; it reports NTE_BAD_DATA for a blob of another type (ours NTE_BAD_TYPE);
# it encrypts AES-CFB 8 bits at a time whatever KP_MODE_BITS says; it answers a null
# provider with ERROR_INVALID_PARAMETER (ours ERROR_INVALID_HANDLE); and it refuses a
# second CRYPT_NEWKEYSET of an existing container with NTE_EXISTS, as Windows documents,
# where our layer, which keeps no containers, accepts it.
qm_host_only(Crypt.HashMd5AndSha1 "a hash of CALG_DES")
qm_host_only(Crypt.DesCbcThroughSimpleBlob "error of a blob of another type")
qm_host_only(Crypt.Aes128Cfb128 "KP_MODE_BITS")
qm_host_only(Crypt.RandomAndBadHandles "null provider; CRYPT_NEWKEYSET of an existing container")

# Management tests over management/tests/pmc_test_support.h's leak count and refusals.
qm_host_only(management/base/tests/pmc_byte_string_test.cpp "leak counters, fault injection")
qm_host_only(management/base/tests/pmc_object_list_test.cpp "leak counters, fault injection")
qm_host_only(management/codec/tests/pmc_codec_test.cpp "leak counters, fault injection")
qm_host_only(management/codec/tests/pmc_raw_buffer_test.cpp "leak counters, fault injection")
qm_host_only(management/values/tests/pmc_oid_test.cpp "leak counters, fault injection")
qm_host_only(management/values/tests/pmc_value_test.cpp "leak counters, fault injection")
qm_host_only(management/packets/tests/pmc_packet_test.cpp "leak counters, fault injection")

if(NOT (QM_TARGET64 AND QM_WINE_TESTS))
  return()
endif()

# GoogleTest for the target, built with the same toolchain.
if(NOT EXISTS ${QM_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources missing at ${QM_GOOGLETEST_SOURCE} (package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QM_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
include(GoogleTest)

# One Wine prefix and server for the whole ctest run: every test requires the fixture.
add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --start)
add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run --stop)
set(QM_WINE_TEST_ENV QM_WINEPREFIX=${CMAKE_BINARY_DIR}/wine/run)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP qm_wine ENVIRONMENT "${QM_WINE_TEST_ENV}")
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP qm_wine ENVIRONMENT "${QM_WINE_TEST_ENV}")

# qm_add_wine_test(<program> SOURCES ... [LIBS ...]): the target form of qm_add_test. A
# program named in the list is not built; the listed sources of the others are left out
# at the end of the folder, after the folders below have added theirs (target_sources).
function(qm_add_wine_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT name IN_LIST QM_WINE_PROGRAMS OR name IN_LIST QM_HOST_ONLY_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qmtest_main GTest::gtest)
  # The C++ runtime linked in: Wine finds no toolchain DLLs.
  target_link_options(${name} PRIVATE -static)
  # (A deferred call's arguments are read when it runs: the name goes in as text.)
  cmake_language(EVAL CODE "cmake_language(DEFER CALL qm_wine_drop_host_only [[${name}]])")
  # Listed at build time, under Wine: the run itself then needs no Wine before its fixture.
  gtest_discover_tests(${name} DISCOVERY_MODE POST_BUILD DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${QM_BIN_DIR}
    PROPERTIES FIXTURES_REQUIRED qm_wine ENVIRONMENT "${QM_WINE_TEST_ENV}")
endfunction()

function(qm_wine_drop_host_only name)
  get_target_property(sources ${name} SOURCES)
  get_target_property(dir ${name} SOURCE_DIR)
  set(kept "")
  set(tests 0)
  foreach(src IN LISTS sources)
    get_filename_component(abs ${src} ABSOLUTE BASE_DIR ${dir})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${abs})
    if(NOT rel IN_LIST QM_HOST_ONLY_TESTS)
      list(APPEND kept ${src})
      if(rel MATCHES "_test\\.(cpp|c)$")
        math(EXPR tests "${tests} + 1")
      endif()
    endif()
  endforeach()
  if(tests EQUAL 0)
    message(FATAL_ERROR "${name}: every test source is host-only; list the program itself")
  endif()
  set_target_properties(${name} PROPERTIES SOURCES "${kept}")
endfunction()
