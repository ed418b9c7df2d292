# Setting helpers over the DEVMODE.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/compare_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effective_value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/enforced_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/item_check_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_default.cpp
  ${CMAKE_CURRENT_LIST_DIR}/supported_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_papers.cpp)
