list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/doc_workers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_workers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver_locks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_points.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_queries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_caps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_enable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_reset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/realize_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_lines.cpp
)
