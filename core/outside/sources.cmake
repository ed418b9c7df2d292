# The bindings of the optional outside components.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/monitor_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitor_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vqb_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vqb_calls.cpp)
