list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cover_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cover_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feed_direction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/send_list.cpp
)
