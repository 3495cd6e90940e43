# Runs a Windows program under Wine and passes on its output and exit status;
# skipped (SKIPPED: in the output) where the machine cannot run PROBE, a
# program of the same architecture that exits with 2 when started bare.
#   cmake -DWINE=... -DXVFB_RUN=... -DPROBE=... -DPROGRAM=... [-DMODULE=... [-DOUTPUT_DIR=...]]
#         -P run_under_wine.cmake
# MODULE and OUTPUT_DIR, when given, are the program's arguments, as Wine sees
# the paths; OUTPUT_DIR is emptied first.
cmake_minimum_required(VERSION 3.16)
include(${CMAKE_CURRENT_LIST_DIR}/wine_launch.cmake)

# Emptied even when the run is skipped, so that nothing stale is taken for its output.
if(OUTPUT_DIR)
  file(REMOVE_RECURSE ${OUTPUT_DIR})
  file(MAKE_DIRECTORY ${OUTPUT_DIR})
endif()
wine_can_run(can_run ${PROBE})
if(NOT can_run)
  return()
endif()
wine_launcher(launcher)
set(arguments "")
foreach(path IN ITEMS ${MODULE} ${OUTPUT_DIR})
  string(REPLACE "/" "\\" windows_path "${path}")
  list(APPEND arguments "Z:${windows_path}")
endforeach()

execute_process(COMMAND ${launcher} ${PROGRAM} ${arguments} RESULT_VARIABLE result TIMEOUT 300)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
