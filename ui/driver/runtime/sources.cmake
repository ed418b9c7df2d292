list(APPEND QM_UI_DRIVER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/code_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_probes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_queries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_validation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_helpers.cpp)
