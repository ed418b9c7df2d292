# Interim bodies of the sheet engine's parts not built yet, one file per part named after
# it; building a part deletes its file here.
list(APPEND QM_UI_DRIVER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/page_frame_interim.cpp)
