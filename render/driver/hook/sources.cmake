# The image hook component: opening, loading and closing it, its page values, the page
# capture and a run.
list(APPEND QM_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/hook_capture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hook_open.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hook_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hook_run.cpp
)
