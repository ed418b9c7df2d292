list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gdi_dib_bitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_objects.cpp)
