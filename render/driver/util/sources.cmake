list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/nup_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/string_util.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_layout.cpp)
