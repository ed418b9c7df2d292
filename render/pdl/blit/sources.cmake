list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/blit_core.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit_fill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit_source.cpp
)
