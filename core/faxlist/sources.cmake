# The fax destination list: its block, the list object and one destination's line.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ansi_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_stored.cpp)
