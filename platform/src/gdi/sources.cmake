list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dc_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_dc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_dib_bitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_dc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_lifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_cells.cpp)
