# Colour tables: ICC profile transforms, the adjust matrix and the grey pair.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/adjust_matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_transform.cpp)
