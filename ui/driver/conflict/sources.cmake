list(APPEND QM_UI_DRIVER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/conflict_messages.cpp)
