# Stamps: the built-in stamps, the default stamp font, the label table, the per-user
# stamp store and the stamp dialog's font list.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/builtin_stamps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/default_stamp_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_store.cpp)
