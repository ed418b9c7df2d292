# Dependent-setting rules.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/color_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_paper_slot.cpp)
