list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/blit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/builders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/call_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dibs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyphset.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winddi_layout.cpp)
