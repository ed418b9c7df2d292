list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_attributes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_write.cpp
)
