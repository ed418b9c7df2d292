list(APPEND QM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ddd_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_defaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_free.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_os_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_parse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ddd_text.cpp)

# Until the host platform layer provides files and modules, the reader uses a
# stand-in for its operating-system calls (and the module directory is unknown).
set(QM_KERNEL_FILES_PENDING OFF)
if(QM_HOST)
  file(GLOB qm_platform_headers ${CMAKE_SOURCE_DIR}/platform/include/*.h)
  set(qm_winbase_text "")
  foreach(header IN LISTS qm_platform_headers)
    file(READ ${header} qm_header_text)
    string(APPEND qm_winbase_text "${qm_header_text}")
  endforeach()
  foreach(api MapViewOfFile LoadStringW GetModuleFileNameW)
    if(NOT qm_winbase_text MATCHES "${api}")
      set(QM_KERNEL_FILES_PENDING ON)
    endif()
  endforeach()
endif()
if(QM_KERNEL_FILES_PENDING)
  list(APPEND QM_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ddd_os_pending.cpp)
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/util/module.cpp
    PROPERTIES COMPILE_DEFINITIONS QM_KERNEL_FILES_PENDING)
else()
  list(APPEND QM_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/ddd_os.cpp)
endif()
