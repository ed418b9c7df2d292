# The upgrade of DEVMODEs and printer-data blocks of older drivers, and the worker of
# DrvConvertDevMode.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/convert_devmode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/devmode_fixups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/devmode_upgrade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_data_upgrade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/upgrade_support.cpp)
