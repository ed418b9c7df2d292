list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ddd_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_defaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_free.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_os.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_os_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_parse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_query.cpp)
