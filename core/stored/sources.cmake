list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/chunked_value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_sub_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_value.cpp)
