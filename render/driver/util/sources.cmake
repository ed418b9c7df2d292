list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/job_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nup_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/string_util.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_layout.cpp)
