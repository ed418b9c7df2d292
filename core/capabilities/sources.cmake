# Device capabilities.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dc_bins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dc_papers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_capabilities.cpp)
