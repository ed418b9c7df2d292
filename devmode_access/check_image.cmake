# Checks the Windows image of the DEVMODE access library beyond its export names: each
# export's stdcall decoration gives 4 bytes per argument of its interface, the image
# imports from KERNEL32 and the C runtime DLL only, and its entry is the exported DllMain.
# cmake -DLIB=<qmkelvdm.dll> -DNM=<nm> -DOBJDUMP=<objdump> -P check_image.cmake

set(decorated
  DllMain@12 DMA_GetValue@12 DMA_SetValue@12 DMA_GetStringData@16 DMA_SetStringData@16
  DMA_GetStringData_StrLength@16 DMA_SetStringData_StrLength@16 DMA_GetLogFontData@16
  DMA_SetLogFontData@16 DMA_GetUserSettingInfo@12 DMA_SetUserSettingInfo@12
  DMA_QueryStructSize@4 DMA_SetFaxAddressNum@12 DMA_GetFaxAddressNum@8
  DMA_EnumDMAID_ByTargetInfo@16 DMA_GetNameFromInfo@16 DMA_AccessibleData@12 DMA_DeleteData@12
  DMA_ApplyData@16 DMA_ExtractDocPropEx@8 DMA_ExtractDocProp@36 DMA_ExtractOneTimeEx@8
  DMA_ExtractOneTime@36 DMA_ReplaceDocProp@8
  dma_GetValue@28 dma_SetValue@24)

execute_process(COMMAND ${NM} ${LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIB}")
endif()
foreach(name IN LISTS decorated)
  if(NOT symbols MATCHES "([0-9a-fA-F]+) T _${name}\n")
    message(FATAL_ERROR "${LIB}: no stdcall symbol _${name}")
  endif()
  if(name STREQUAL "DllMain@12")
    set(dllmain 0x${CMAKE_MATCH_1})
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${LIB} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${LIB}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(line IN LISTS imports)
  string(TOLOWER "${line}" line)
  if(NOT line MATCHES "dll name: (kernel32|msvcrt)\\.dll")
    message(FATAL_ERROR "${LIB}: unexpected import (${line})")
  endif()
endforeach()
string(REGEX MATCH "AddressOfEntryPoint[ \t]+([0-9a-fA-F]+)" _ "${headers}")
set(entry 0x${CMAKE_MATCH_1})
string(REGEX MATCH "ImageBase[ \t]+([0-9a-fA-F]+)" _ "${headers}")
math(EXPR entry_address "0x${CMAKE_MATCH_1} + ${entry}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR dllmain_address "${dllmain}" OUTPUT_FORMAT HEXADECIMAL)
if(NOT entry_address STREQUAL dllmain_address)
  message(FATAL_ERROR "${LIB}: entry ${entry_address} is not DllMain (${dllmain_address})")
endif()
message(STATUS "${LIB}: stdcall decorations, imports and entry as required")
