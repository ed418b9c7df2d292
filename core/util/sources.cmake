# Common utilities of the driver core.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/base64.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caches.cpp
  ${CMAKE_CURRENT_LIST_DIR}/codepage_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/country_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/global_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_env.cpp
  ${CMAKE_CURRENT_LIST_DIR}/locale_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_number.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scramble_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_text.cpp)
