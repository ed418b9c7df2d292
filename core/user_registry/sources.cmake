# The per-user store: the user setting record, its rows and its older formats.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_upgrade.cpp)
