list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/context_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/context_open.cpp
  ${CMAKE_CURRENT_LIST_DIR}/context_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_list.cpp)
