# Prints images.draw with image modes 0, 1 and 2 (setting 330) and lists each stream's
# images: cmake -DPRINTHOST=... -DLUMIQDUMP=... -DMODEL=... -DSCRIPT=... -DWORK=... -P
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{QM_ROOT} ${WORK}/root)
foreach(mode 0 1 2)
  execute_process(COMMAND ${PRINTHOST} print --fixed-env --model ${MODEL} --draw ${SCRIPT} --set 330=${mode}
                          --out ${WORK}/images${mode}.prn
                  RESULT_VARIABLE printed OUTPUT_QUIET)
  if(NOT printed EQUAL 0)
    message(FATAL_ERROR "printhost exited ${printed} with image mode ${mode}")
  endif()
  execute_process(COMMAND ${LUMIQDUMP} --images ${WORK}/images${mode}.prn OUTPUT_VARIABLE listed
                  RESULT_VARIABLE dumped)
  if(NOT dumped EQUAL 0)
    message(FATAL_ERROR "lumiqdump exited ${dumped}")
  endif()
  message("mode ${mode}\n${listed}")
endforeach()
