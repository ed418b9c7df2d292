list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cover_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cover_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cover_text_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prepared_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_layout.cpp
)
