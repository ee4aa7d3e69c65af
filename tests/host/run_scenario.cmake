# Runs quilmar over a scenario and checks its exit code and output:
# cmake -DQUILMAR=... -DPACKAGES=... -DSCRIPT=... -DEXPECT_EXIT=0|1 -DEXPECT_OUTPUT=text -P run_scenario.cmake
execute_process(
  COMMAND ${QUILMAR} --headless --config /dev/null --packages ${PACKAGES}
          --screen TST00001=Pkg_teste:CriaTelaTeste --screen TST00002=Pkg_ausente:CriaNada
          --operator OPERADOR --branch 2 --script ${SCRIPT}
  RESULT_VARIABLE exit_code
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT exit_code STREQUAL EXPECT_EXIT)
  message(FATAL_ERROR "quilmar exited with ${exit_code}, expected ${EXPECT_EXIT}")
endif()
string(FIND "${output}" "${EXPECT_OUTPUT}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the output lacks: ${EXPECT_OUTPUT}")
endif()
