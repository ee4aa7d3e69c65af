# Runs quilmar with its window (offscreen) over a scenario and checks that the screenshot was written:
# cmake -DQUILMAR=... -DPACKAGES=... -DSCRIPT=... -DPICTURE=... -P run_windowed_scenario.cmake
file(REMOVE ${PICTURE})
execute_process(
  COMMAND ${QUILMAR} --config /dev/null --database :memory: --packages ${PACKAGES}
          --screen TST00001=Pkg_teste:CriaTelaTeste --script ${SCRIPT}
  RESULT_VARIABLE exit_code
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "quilmar exited with ${exit_code}")
endif()
string(FIND "${output}" "skipped: no renderer" skipped)
if(NOT skipped EQUAL -1)
  message(FATAL_ERROR "the screenshot line found no renderer")
endif()
if(NOT EXISTS ${PICTURE})
  message(FATAL_ERROR "no picture at ${PICTURE}")
endif()
