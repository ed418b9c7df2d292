list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/form_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_records.cpp
)
