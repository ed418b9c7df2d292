list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pdev_caps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_enable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_margins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_paper_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_reset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_surface.cpp
)
