list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/draw_settings.cpp
)
