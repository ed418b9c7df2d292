list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/image_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_flush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reducer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/row_convert.cpp
)
