# Constraint engine: conflict states, conditions and option sets, size checks, change
# lists and the checks over a definition's constraint records; the verify pass over every
# stored value, which runs the engine.
list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cst_changes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_conditions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_conflicts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cst_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/verify_values.cpp)
