# Runs a Windows program under Wine and passes on its output and exit status;
# skipped (SKIPPED: in the output) where the machine cannot run PROBE, a
# program of the same architecture that exits with 2 when started bare.
#   cmake -DWINE=... -DXVFB_RUN=... -DPROBE=... -DPROGRAM=... [-DMODULE=...] -P run_under_wine.cmake
# MODULE, when given, is passed to the program as its one argument, as Wine
# sees the path.
cmake_minimum_required(VERSION 3.16)
include(${CMAKE_CURRENT_LIST_DIR}/wine_launch.cmake)

wine_can_run(can_run ${PROBE})
if(NOT can_run)
  return()
endif()
wine_launcher(launcher)
set(arguments "")
if(MODULE)
  string(REPLACE "/" "\\" module_argument "${MODULE}")
  set(arguments "Z:${module_argument}")
endif()
execute_process(COMMAND ${launcher} ${PROGRAM} ${arguments} RESULT_VARIABLE result TIMEOUT 300)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
