# Setting handlers: defaults, validation and the handler rows named in settings.csv.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/compare_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/defaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/descriptor_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handler_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handlers_private.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handlers_public.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_list_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_size_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate.cpp)
