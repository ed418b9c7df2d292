list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/extended_escape.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_colour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_compression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_end.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_replay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waiting_features.cpp
)
