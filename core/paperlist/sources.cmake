# The device paper list.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/paper_list_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_list_build.cpp)
