# Dependent-setting rules.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/color_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_paper_slot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/half_edge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/public_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rule_driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rule_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simple_rules.cpp)
