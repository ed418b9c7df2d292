# qmkelvim.dll, the render driver, from the area library qmrender and the entry routine.
if(QM_TARGET)
  set(qm_render_imports qmgdi_engine_imports)
else()
  set(qm_render_imports "")
endif()
qm_add_deliverable(qmkelvim
  DEF ${CMAKE_CURRENT_SOURCE_DIR}/qmkelvim.def
  RC ${CMAKE_CURRENT_SOURCE_DIR}/qmkelvim.rc
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/qmkelvim_main.cpp
  LIBS -Wl,--whole-archive qmrender -Wl,--no-whole-archive qmpdl qmencoder qmstream qmcore
       ${qm_render_imports})
