# Settings catalogue and settings access: the tables are generated from settings.csv.
set(QM_SETTINGS_TABLES ${CMAKE_CURRENT_BINARY_DIR}/settings/settings_tables.cpp)
set(QM_SETTING_DESCRIPTORS ${CMAKE_CURRENT_BINARY_DIR}/settings/setting_descriptors.cpp)
# The FunctionID names, included as "core/settings/function_ids.h" from the build tree.
set(QM_FUNCTION_IDS ${CMAKE_CURRENT_BINARY_DIR}/settings/function_ids.h)
add_custom_command(OUTPUT ${QM_SETTINGS_TABLES} ${QM_SETTING_DESCRIPTORS} ${QM_FUNCTION_IDS}
  COMMAND ${CMAKE_COMMAND} -DCSV=${CMAKE_CURRENT_LIST_DIR}/settings.csv
          -DOTHER_IDS=${CMAKE_CURRENT_LIST_DIR}/other_ids.csv -DOUT=${QM_SETTINGS_TABLES}
          -DDESC_OUT=${QM_SETTING_DESCRIPTORS} -DNAMES_OUT=${QM_FUNCTION_IDS}
          -P ${CMAKE_CURRENT_LIST_DIR}/gen_settings_tables.cmake
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/settings.csv ${CMAKE_CURRENT_LIST_DIR}/other_ids.csv
          ${CMAKE_CURRENT_LIST_DIR}/gen_settings_tables.cmake
  COMMENT "Generating settings tables and FunctionID names from settings.csv"
  VERBATIM)

# The public identifier translation tables are generated from dmaid_runs.csv.
set(QM_DMAID_TABLES ${CMAKE_CURRENT_BINARY_DIR}/settings/dmaid_tables.cpp)
add_custom_command(OUTPUT ${QM_DMAID_TABLES}
  COMMAND ${CMAKE_COMMAND} -DCSV=${CMAKE_CURRENT_LIST_DIR}/dmaid_runs.csv -DOUT=${QM_DMAID_TABLES}
          -P ${CMAKE_CURRENT_LIST_DIR}/gen_dmaid_tables.cmake
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/dmaid_runs.csv ${CMAKE_CURRENT_LIST_DIR}/gen_dmaid_tables.cmake
  COMMENT "Generating public identifier tables from dmaid_runs.csv"
  VERBATIM)

list(APPEND QM_CORE_SOURCES
  ${QM_FUNCTION_IDS}
  ${QM_SETTINGS_TABLES}
  ${QM_SETTING_DESCRIPTORS}
  ${QM_DMAID_TABLES}
  ${CMAKE_CURRENT_LIST_DIR}/dmaid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binding_position.cpp
  ${CMAKE_CURRENT_LIST_DIR}/devmode_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/position_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotated_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/typed_value.cpp)
