list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/iphlpapi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/iphlpapi_native.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snmpapi.cpp)
