list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/escape_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_extended.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_job_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_stamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/escape_transfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/feature_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_chunk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_record.cpp
)
