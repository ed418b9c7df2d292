# The driver configuration file and the special settings read from it.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/config_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_apply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_switch_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_value_map.cpp)
