list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pdev_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_settings.cpp
)
