list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/entry_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folder_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pdev_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spool_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_records.cpp)
