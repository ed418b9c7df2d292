# PDEV lifecycle tests over test models compiled beside the sample base file, and over the
# sample model itself; the DEVMODE access library and a resource-only module naming it
# stand in the driver's directory.
if(CMAKE_CROSSCOMPILING)
  set(run_dddc dddc)
else()
  set(run_dddc ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:dddc>)
endif()
set(pdev_models)
foreach(model QMPDEV QMPAPER QMBROKEN)
  set(model_ddd ${QM_MODELS_DIR}/${model}.DDD)
  add_custom_command(OUTPUT ${model_ddd}
    COMMAND ${run_dddc} compile ${CMAKE_CURRENT_SOURCE_DIR}/${model}.yaml -o ${model_ddd} --base ${QM_MODELS_DIR}/QM50BASE.DDD
    DEPENDS dddc sample_models ${CMAKE_CURRENT_SOURCE_DIR}/${model}.yaml
    COMMENT "Compiling description data ${model}.DDD"
    VERBATIM)
  list(APPEND pdev_models ${model_ddd})
endforeach()
add_custom_target(pdev_test_model DEPENDS ${pdev_models})

qm_add_test(render_pdev_tests SOURCES pdev_test.cpp pdev_paper_test.cpp pdev_fixture.cpp LIBS qmrender)
target_compile_definitions(render_pdev_tests PRIVATE
  QM_PDEV_MODEL="${QM_MODELS_DIR}/QMPDEV.DDD"
  QM_PAPER_MODEL="${QM_MODELS_DIR}/QMPAPER.DDD"
  QM_SAMPLE_MODEL="${QM_MODELS_DIR}/QM50C1.DDD"
  QM_BROKEN_MODEL="${QM_MODELS_DIR}/QMBROKEN.DDD"
  QM_DMA_LIBRARY="$<TARGET_FILE:qmkelvdm>"
  QM_DMA_NAMING_MODULE="$<TARGET_FILE:dmabind_real>")
add_dependencies(render_pdev_tests pdev_test_model qmkelvdm dmabind_real)
