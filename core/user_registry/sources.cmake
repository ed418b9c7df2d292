# The per-user store's user setting record formats.
list(APPEND QM_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/user_setting_upgrade.cpp)
