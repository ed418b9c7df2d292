list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jobs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/records.cpp)
