list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/driver_locks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_lines.cpp
)
