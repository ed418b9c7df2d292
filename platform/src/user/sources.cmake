list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/rects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows.cpp)
# Pictures of windows are written as PNG files.
find_package(PNG REQUIRED)
list(APPEND QM_PLATFORM_LIBS PNG::PNG)
