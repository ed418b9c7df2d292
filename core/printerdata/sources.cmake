list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/printer_forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_info.cpp)
