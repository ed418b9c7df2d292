list(APPEND QM_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/providers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hashes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ciphers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/advapi_stubs.cpp)
# OpenSSL 3 libcrypto of the :i386 package.
find_library(QM_HOST_CRYPTO NAMES crypto REQUIRED)
list(APPEND QM_PLATFORM_LIBS ${QM_HOST_CRYPTO})
