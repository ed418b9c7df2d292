# Build conventions shared by every folder: warnings, sanitizers, deliverables with
# their export lists, resource scripts, tests and benchmarks.

option(QM_WERROR "Treat compiler warnings as errors" OFF)
option(QM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(WIN32)
  set(QM_HOST OFF)
  set(QM_TARGET ON)
  enable_language(RC)
  # The 32-bit target is the deliverable; the 64-bit one builds the same sources to run
  # their tests under Wine (scripts/wine-run).
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QM_TARGET64 ON)
  else()
    set(QM_TARGET64 OFF)
  endif()
  if(NOT QM_MINGW_PREFIX)
    set(QM_MINGW_PREFIX i686-w64-mingw32)
  endif()
else()
  set(QM_HOST ON)
  set(QM_TARGET OFF)
  set(QM_TARGET64 OFF)
  set(QM_MINGW_PREFIX i686-w64-mingw32)
  enable_language(ASM)
endif()

add_compile_options(-Wall -Wextra)
# Casts between pointers and integers of another width: errors in C++ already, warnings in C.
add_compile_options($<$<COMPILE_LANGUAGE:C>:-Wpointer-to-int-cast> $<$<COMPILE_LANGUAGE:C>:-Wint-to-pointer-cast>)
# A 64-bit value silently cut to 32 bits (clang only; the fuzz build).
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-Wshorten-64-to-32)
endif()
if(QM_WERROR)
  add_compile_options(-Werror)
endif()
# Both builds compile the driver as UNICODE code.
add_compile_definitions(UNICODE _UNICODE NOMINMAX)
if(QM_TARGET)
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 WIN32_LEAN_AND_MEAN)
endif()
if(QM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every source includes project headers by their path from the top of the tree.
include_directories(${CMAKE_SOURCE_DIR})

if(QM_HOST)
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  include(GoogleTest)
endif()
# The 64-bit Windows build's tests under Wine, and the list of tests that stay on the host.
include(QmWineTests)

find_program(QM_WINDRES NAMES ${QM_MINGW_PREFIX}-windres windres REQUIRED)

include(QmDefNames)
include(QmModels)
# How g++ names size_t in this build's symbols (the .def files spell the 32-bit "j"): an
# unsigned long on the 64-bit Linux host, an unsigned long long on 64-bit Windows.
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND NOT WIN32)
  set(QM_SIZE_T_LETTER m)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QM_SIZE_T_LETTER y)
else()
  set(QM_SIZE_T_LETTER j)
endif()

# qm_add_resources(<target> <rc-file> [INCLUDES dir...]): compiles a resource script with
# windres. The target build links it as usual; on the host the compiled .res is placed in
# the module's ".qmres" section, where the platform layer's resource functions find it.
function(qm_add_resources target rc)
  cmake_parse_arguments(ARG "" "" "INCLUDES" ${ARGN})
  get_filename_component(rc_abs ${rc} ABSOLUTE)
  if(QM_TARGET)
    target_sources(${target} PRIVATE ${rc_abs})
    foreach(dir IN LISTS ARG_INCLUDES)
      set_property(SOURCE ${rc_abs} APPEND PROPERTY INCLUDE_DIRECTORIES ${dir})
    endforeach()
    return()
  endif()
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}.res)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}_res.S)
  set(inc -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/include)
  foreach(dir IN LISTS ARG_INCLUDES)
    list(APPEND inc -I${dir})
  endforeach()
  add_custom_command(OUTPUT ${res}
    COMMAND ${QM_WINDRES} -DRC_INVOKED -DUNICODE ${inc} -O coff -i ${rc_abs} -o ${res}.o
    COMMAND ${QM_WINDRES} -DRC_INVOKED -DUNICODE ${inc} -O res -i ${rc_abs} -o ${res}
    DEPENDS ${rc_abs}
    IMPLICIT_DEPENDS C ${rc_abs}
    COMMENT "Compiling resources ${rc}")
  file(WRITE ${asm}
    "\t.section .qmres,\"a\",@progbits\n"
    "\t.incbin \"${res}\"\n"
    "\t.section .note.GNU-stack,\"\",@progbits\n")
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res})
  target_sources(${target} PRIVATE ${asm})
endfunction()

# qm_add_deliverable(<name> SUFFIX <.dll|.xrs> DEF <def> SOURCES ... [LIBS ...] [RC <rc>]):
# a shared library keeping its Windows file name on both builds and exporting exactly the
# names of its .def file.
function(qm_add_deliverable name)
  cmake_parse_arguments(ARG "" "SUFFIX;DEF;RC" "SOURCES;LIBS;RC_INCLUDES" ${ARGN})
  if(NOT ARG_SUFFIX)
    set(ARG_SUFFIX .dll)
  endif()
  add_library(${name} SHARED ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ${ARG_SUFFIX})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(ARG_RC)
    qm_add_resources(${name} ${ARG_RC} INCLUDES ${ARG_RC_INCLUDES})
  endif()
  if(NOT ARG_DEF)
    return()
  endif()
  get_filename_component(def_abs ${ARG_DEF} ABSOLUTE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_abs})
  if(QM_TARGET)
    find_program(QM_OBJDUMP NAMES ${QM_MINGW_PREFIX}-objdump REQUIRED)
    if(QM_TARGET64)
      # No stdcall decoration on x64; the .def's operator new and new[] names take this
      # build's size_t letter.
      file(READ ${def_abs} text)
      string(REGEX REPLACE "(_ZN[0-9]+[A-Za-z_]+n[wa]E)j([ \t\r\n])" "\\1${QM_SIZE_T_LETTER}\\2" text "${text}")
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
      set(def_build ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
      file(WRITE ${def_build} "${text}")
      target_sources(${name} PRIVATE ${def_build})
      target_link_options(${name} PRIVATE -static)
    else()
      target_sources(${name} PRIVATE ${def_abs})
      # The .def names exports undecorated; the linker matches them to their stdcall symbols.
      target_link_options(${name} PRIVATE -static -Wl,--kill-at -Wl,--enable-stdcall-fixup)
    endif()
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DLIB=$<TARGET_FILE:${name}> -DDEF=${def_abs}
              -DTOOL=${QM_OBJDUMP} -DMODE=pe -DSIZE_T_LETTER=${QM_SIZE_T_LETTER}
              -P ${CMAKE_SOURCE_DIR}/cmake/check_exports.cmake
      VERBATIM)
  else()
    qm_def_names(names ${def_abs} ${QM_SIZE_T_LETTER})
    # The host loader calls a module's DllMain by name, so the host exports it beside the
    # .def names; the export check leaves it aside.
    set(script "{\n  global:\n    DllMain;\n")
    foreach(n IN LISTS names)
      string(APPEND script "    ${n};\n")
    endforeach()
    string(APPEND script "  local: *;\n};\n")
    set(vs ${CMAKE_CURRENT_BINARY_DIR}/${name}.version)
    file(WRITE ${vs} "${script}")
    target_link_options(${name} PRIVATE -Wl,--version-script=${vs})
    # clang leaves the sanitizer runtime to the program that loads a module (the fuzz
    # build): there the module's references to it stay open.
    if(NOT (QM_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
      target_link_options(${name} PRIVATE -Wl,--no-undefined)
    endif()
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${vs})
    set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN")
    add_test(NAME ${name}.exports
      COMMAND ${CMAKE_COMMAND} -DLIB=$<TARGET_FILE:${name}> -DDEF=${def_abs}
              -DTOOL=${CMAKE_NM} -DMODE=elf -DSIZE_T_LETTER=${QM_SIZE_T_LETTER}
              -P ${CMAKE_SOURCE_DIR}/cmake/check_exports.cmake)
  endif()
endfunction()

# qm_add_test(<name> SOURCES ... [LIBS ...]): a GoogleTest program of the host build. Each
# test runs in its own process with its own fresh platform root (testing/test_main.cpp).
# The 64-bit Windows build makes the same program to run under Wine, without the sources
# cmake/QmWineTests.cmake keeps on the host.
function(qm_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(QM_TARGET64 AND QM_WINE_TESTS)
    qm_add_wine_test(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS})
    return()
  endif()
  if(NOT QM_HOST)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qmtest_main GTest::gtest)
  set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${QM_BIN_DIR})
endfunction()

# qm_add_test_support(<name> SOURCES ... [LIBS ...]): fixtures and helpers that tests of
# several folders share, compiled once as a static library of the host builds.
function(qm_add_test_support name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT QM_HOST)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} GTest::gtest)
endfunction()

include(QmFuzz)

# qm_add_benchmark(<name> SOURCES ... [LIBS ...]): a Google Benchmark program; built, not
# run by the test suite.
function(qm_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT QM_HOST OR NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN")
endfunction()

# Outside libraries of the target build, cross-built by scripts/cross-deps into
# QM_WINDOWS_DEPS: imported as qm::jpeg and qm::netsnmp when present.
if(QM_TARGET AND QM_WINDOWS_DEPS AND EXISTS ${QM_WINDOWS_DEPS}/lib/libjpeg.a)
  add_library(qmjpeg STATIC IMPORTED GLOBAL)
  set_target_properties(qmjpeg PROPERTIES IMPORTED_LOCATION ${QM_WINDOWS_DEPS}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${QM_WINDOWS_DEPS}/include)
  add_library(qm::jpeg ALIAS qmjpeg)
endif()
if(QM_TARGET AND QM_WINDOWS_DEPS AND EXISTS ${QM_WINDOWS_DEPS}/lib/libnetsnmp.a)
  add_library(qmnetsnmp STATIC IMPORTED GLOBAL)
  set_target_properties(qmnetsnmp PROPERTIES IMPORTED_LOCATION ${QM_WINDOWS_DEPS}/lib/libnetsnmp.a
    INTERFACE_INCLUDE_DIRECTORIES ${QM_WINDOWS_DEPS}/include
    INTERFACE_LINK_LIBRARIES "ws2_32;iphlpapi")
  add_library(qm::netsnmp ALIAS qmnetsnmp)
endif()
# The host build takes them from Debian's :i386 packages under the same names.
if(QM_HOST)
  find_library(QM_HOST_JPEG NAMES jpeg)
  find_library(QM_HOST_NETSNMP NAMES netsnmp)
  if(QM_HOST_JPEG)
    add_library(qmjpeg UNKNOWN IMPORTED GLOBAL)
    set_target_properties(qmjpeg PROPERTIES IMPORTED_LOCATION ${QM_HOST_JPEG})
    add_library(qm::jpeg ALIAS qmjpeg)
  endif()
  if(QM_HOST_NETSNMP)
    add_library(qmnetsnmp UNKNOWN IMPORTED GLOBAL)
    set_target_properties(qmnetsnmp PROPERTIES IMPORTED_LOCATION ${QM_HOST_NETSNMP})
    add_library(qm::netsnmp ALIAS qmnetsnmp)
  endif()
endif()
