list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/code_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_logfont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_math.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_sets.cpp
)
