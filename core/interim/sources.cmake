# Interim bodies of functions whose own area has not landed yet; each file goes when
# that area brings the real ones.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dependent_rules_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fax_list_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_map_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_data_upgrade_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/security_marking_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_names_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stamp_store_interim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_registry_interim.cpp)
