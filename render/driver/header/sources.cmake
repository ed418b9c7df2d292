list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/header_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_info_fill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/string_util.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_records.cpp
)
