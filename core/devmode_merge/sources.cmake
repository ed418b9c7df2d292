# The DEVMODE merge and its public-field map.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/devmode_merge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_map_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_map_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_map_translate.cpp)
