# Stamps: the built-in stamps, the default stamp font and the label table.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/builtin_stamps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/default_stamp_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_labels.cpp)
