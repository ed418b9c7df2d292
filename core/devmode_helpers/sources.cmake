# Setting helpers over the DEVMODE.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/supported_fields.cpp)
