list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/colour_pixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_set.cpp
)
