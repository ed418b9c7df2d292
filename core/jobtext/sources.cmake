# Job-attribute text and the job-information comment.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/job_append.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_attr_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_attr_component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_attr_sets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_conditions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_fax_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_page_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_ticket.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_trailer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_user_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_in_context.cpp)
