list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/common_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_sheets.cpp)
