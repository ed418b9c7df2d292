list(APPEND QM_PDL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/job_version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdl_writer.cpp)
