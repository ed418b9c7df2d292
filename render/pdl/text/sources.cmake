list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/device_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_batch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_output.cpp
)
