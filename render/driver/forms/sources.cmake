list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/form_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_margins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_paper_records.cpp
)
