# Fails when an object file names a registry or spooler function among its undefined
# symbols. OBJECTS: the object files; TOOL: nm.
execute_process(COMMAND ${TOOL} -u ${OBJECTS} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${OBJECTS}")
endif()
string(REGEX MATCHALL "[^ \n]*(Reg[A-Z][A-Za-z]*|Printer[A-Za-z]*|Spool[A-Za-z]*|ureg_[A-Za-z]*|pd_[A-Za-z]*)[^ \n]*" found "${symbols}")
if(found)
  message(FATAL_ERROR "registry or spooler functions named: ${found}")
endif()
message(STATUS "no registry or spooler function named")
