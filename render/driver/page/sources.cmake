list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ff_ai_pair.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nup_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_replay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_snapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/poster_marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/poster_tiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_setup.cpp
)
