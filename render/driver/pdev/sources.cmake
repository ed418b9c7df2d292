list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/escape_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_record.cpp
)
