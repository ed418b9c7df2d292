# Description data of the sample and test models, compiled by dddc at build time into
# <build>/models/.
#
#   qm_compile_model(<NAME> YAML <yaml> [BASE <base .DDD>] [DEPENDS <targets or files>...])
#     compiles <yaml> into ${QM_MODELS_DIR}/<NAME>.DDD; with BASE, the model names that base
#     file, which must be built first (name its target or file in DEPENDS).
#   qm_model_variant(<out yaml> FROM <yaml> REPLACE <old> <new> [REPLACE <old> <new>]...)
#     writes a variant of a model description at configure time, each text replaced once
#     at least; a replacement that finds nothing stops the configure step, so a changed
#     description cannot silently make a variant equal to its original.
#
# dddc is a host tool: only the host builds compile models.

# A COMMAND naming the dddc target runs through CMAKE_CROSSCOMPILING_EMULATOR only when
# CMake takes the build as a cross build; the emulator is named explicitly otherwise.
function(qm_dddc_command out)
  if(CMAKE_CROSSCOMPILING)
    set(${out} dddc PARENT_SCOPE)
  else()
    set(${out} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:dddc> PARENT_SCOPE)
  endif()
endfunction()

function(qm_compile_model name)
  cmake_parse_arguments(M "" "YAML;BASE" "DEPENDS" ${ARGN})
  if(NOT M_YAML)
    message(FATAL_ERROR "qm_compile_model(${name}): YAML is required")
  endif()
  qm_dddc_command(run_dddc)
  set(base_args "")
  if(M_BASE)
    set(base_args --base ${M_BASE})
  endif()
  add_custom_command(OUTPUT ${QM_MODELS_DIR}/${name}.DDD
    COMMAND ${run_dddc} compile ${M_YAML} -o ${QM_MODELS_DIR}/${name}.DDD ${base_args}
    DEPENDS dddc ${M_YAML} ${M_DEPENDS}
    COMMENT "Compiling description data ${name}.DDD"
    VERBATIM)
endfunction()

function(qm_model_variant out)
  cmake_parse_arguments(V "" "FROM" "REPLACE" ${ARGN})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${V_FROM})
  file(READ ${V_FROM} text)
  list(LENGTH V_REPLACE n)
  math(EXPR odd "${n} % 2")
  if(n EQUAL 0 OR odd)
    message(FATAL_ERROR "qm_model_variant(${out}): REPLACE takes pairs of texts")
  endif()
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET V_REPLACE ${i} old)
    list(GET V_REPLACE ${j} new)
    string(FIND "${text}" "${old}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${V_FROM}: \"${old}\" not found; update the variant ${out}")
    endif()
    string(REPLACE "${old}" "${new}" text "${text}")
  endforeach()
  set(previous "")
  if(EXISTS ${out})
    file(READ ${out} previous)
  endif()
  if(NOT previous STREQUAL text)
    file(WRITE ${out} "${text}")
  endif()
endfunction()
