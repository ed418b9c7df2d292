list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/font_substitution.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/score_passes.cpp
)
