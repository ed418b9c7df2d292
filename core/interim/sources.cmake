# Stand-in bodies of the parts not built yet, one file per part, each answering as the
# part does when nothing is stored. They form the library qmcore_interim, linked after
# the rest of the core; building a part deletes its file here.
list(APPEND QM_CORE_INTERIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dependent_rules_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_list_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_map_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/security_marking_interim.cpp)
