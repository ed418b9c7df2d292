list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/winsock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winsock_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winsock_native.cpp)
