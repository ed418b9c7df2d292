list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/headless_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows.cpp)
