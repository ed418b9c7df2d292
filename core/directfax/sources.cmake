# Direct fax: the records of the temporary files a direct fax leaves behind.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/direct_fax.cpp)
