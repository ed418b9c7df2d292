# The per-user store: the printer id, the printer's per-user key and its values, key
# trees, the removal of stale keys, and the user setting record with its rows and older
# formats; favorites and paper margins.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/favorite_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/favorite_margins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/favorite_presets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/favorites.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/margin_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/margin_orientation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/md5.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_id.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stale_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_margins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_setting_upgrade.cpp)
