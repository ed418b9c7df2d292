list(APPEND QM_UI_DRIVER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/call_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_cache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_members.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_panels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_access.cpp)
