# Booklet imposition: face order, division into sub-booklets and sets, the half's scale.
list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/booklet_divide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/face_order.cpp
  ${CMAKE_CURRENT_LIST_DIR}/half_rects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/half_scale.cpp
)
