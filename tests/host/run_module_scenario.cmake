# Runs quilmar over a scenario of a real module package on the embedded server, with a fresh demo database:
# cmake -DQUILMAR=... -DDATABASE=... -DSCRIPT=... [-DARGS=...] [-DPICTURE=...] -P run_module_scenario.cmake
# With PICTURE, quilmar runs with its Qt window (offscreen) and the scenario must have written that picture.
file(REMOVE ${DATABASE} ${DATABASE}-wal ${DATABASE}-shm)
separate_arguments(extra UNIX_COMMAND "${ARGS}")
set(mode --headless)
if(PICTURE)
  set(mode "")
  file(REMOVE ${PICTURE})
endif()
execute_process(
  COMMAND ${QUILMAR} ${mode} --config /dev/null --server embedded --database ${DATABASE} ${extra}
          --script ${SCRIPT}
  RESULT_VARIABLE exit_code
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "quilmar exited with ${exit_code}")
endif()
string(FIND "${output}" "PASSED" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the scenario did not pass")
endif()
if(PICTURE AND NOT EXISTS ${PICTURE})
  message(FATAL_ERROR "no picture at ${PICTURE}")
endif()
