list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/trace_dump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_write.cpp)
