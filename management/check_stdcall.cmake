# Checks the Windows image of the printer-management library beyond its export names: each
# PSW export's stdcall decoration gives the bytes of its arguments, so the SNMPv3 record
# travels whole on the stack (716 bytes) in PSWFindDeviceSNMPEx and PSWInitDeviceEx.
# Then writes the import library for callers: the exports stay undecorated, the symbols
# callers link against carry the decorations their compiler gives stdcall calls.
# cmake -DLIB=<qmpmlib5.dll> -DNM=<nm> -DDEF=<qmpmlib5.def> -DDLLTOOL=<dlltool>
#       -DIMPLIB=<import library> -P check_stdcall.cmake

set(decorated
  PSWInit@4 PSWUnInit@4 PSWCommandString@12 PSWCommandInteger@12
  PSWFindAddFilter@8 PSWFindClearFilter@4 PSWFindDeviceSNMP@24 PSWFindDeviceSNMPEx@744
  PSWFindResetPosition@4 PSWGetDeviceNext@20
  PSWInitDevice@20 PSWInitDeviceEx@740 PSWRefreshOptions@4 PSWIsSupportedOID@8
  PSWGetOptionValueBoolean@16 PSWGetOptionValueInteger@16 PSWGetOptionValueUInteger@16
  PSWGetOptionValueString@16 PSWTransportAvailable@4
  PSWGetNumberOfStorageInfo@8 PSWGetStorageInfo@12 PSWGetNumberOfDeviceInfo@8 PSWGetDeviceInfo@12
  PSWGetNumberOfInputTrayInfo@8 PSWGetInputTrayInfo@12 PSWGetNumberOfOutputTrayInfo@8
  PSWGetOutputTrayInfo@12 PSWGetNumberOfTonerInfo@8 PSWGetTonerInfo@12 PSWGetNumberOfAlertInfo@8
  PSWGetAlertInfo@12 PSWGetPrinterInfo@8 PSWGetNumberOfJobInfo@12 PSWGetJobInfo@12 PSWCancelJob@8
  PSWGetCharSet@12)

execute_process(COMMAND ${NM} ${LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIB}")
endif()
list(LENGTH decorated n)
foreach(name IN LISTS decorated)
  if(NOT symbols MATCHES " T _${name}\n")
    message(FATAL_ERROR "${LIB}: no stdcall symbol _${name}")
  endif()
endforeach()
message(STATUS "${LIB}: ${n} stdcall decorations as required")

# The import library: the .def with the PSW names decorated, their decoration removed again
# from the names the DLL is asked for.
file(STRINGS ${DEF} lines)
set(text "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+(PSW[A-Za-z]+)[ \t]*$")
    set(name ${CMAKE_MATCH_1})
    foreach(entry IN LISTS decorated)
      if(entry MATCHES "^${name}@")
        set(line "    ${entry}")
      endif()
    endforeach()
  endif()
  string(APPEND text "${line}\n")
endforeach()
get_filename_component(dir ${IMPLIB} DIRECTORY)
file(WRITE ${dir}/qmpmlib5_callers.def "${text}")
execute_process(COMMAND ${DLLTOOL} -k -d ${dir}/qmpmlib5_callers.def -l ${IMPLIB} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${DLLTOOL} failed on ${dir}/qmpmlib5_callers.def")
endif()
