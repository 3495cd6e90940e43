# Runs lumistra-selector-run on a plug-in module and checks what it wrote.
#   cmake -DPROGRAM=... -DMODULE=... -DOUTPUT_DIR=... [options] -P run_selector_sequence.cmake
# Options:
#   WINE, XVFB_RUN   run a Windows program under Wine on a virtual display
#   REFERENCE_DIR    the Linux build's output: report and planes must equal it
#                    byte for byte
# Without REFERENCE_DIR the output itself is checked for the expected outcome
# of each invocation (the Linux run, which the Windows runs are held to).
cmake_minimum_required(VERSION 3.16)
include(${CMAKE_CURRENT_LIST_DIR}/wine_launch.cmake)

# Wine sees the file system as drive Z:.
function(windows_path out path)
  string(REPLACE "/" "\\" path "${path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})

if(WINE)
  wine_can_run(can_run ${PROGRAM})
  if(NOT can_run)
    return()
  endif()
  wine_launcher(launcher)
  windows_path(module_argument ${MODULE})
  windows_path(output_argument ${OUTPUT_DIR})
else()
  set(launcher "")
  set(module_argument ${MODULE})
  set(output_argument ${OUTPUT_DIR})
endif()

execute_process(COMMAND ${launcher} ${PROGRAM} ${module_argument} ${output_argument}
                RESULT_VARIABLE result TIMEOUT 600)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${MODULE} failed: ${result}")
endif()

file(READ ${OUTPUT_DIR}/report.txt report)
message("${report}")

if(REFERENCE_DIR)
  file(GLOB reference_files RELATIVE ${REFERENCE_DIR} ${REFERENCE_DIR}/*)
  file(GLOB output_files RELATIVE ${OUTPUT_DIR} ${OUTPUT_DIR}/*)
  list(SORT reference_files)
  list(SORT output_files)
  if(NOT reference_files STREQUAL output_files)
    message(FATAL_ERROR "wrote [${output_files}], the Linux build wrote [${reference_files}]")
  endif()
  set(differing "")
  foreach(name IN LISTS reference_files)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT_DIR}/${name}
                            ${REFERENCE_DIR}/${name}
                    RESULT_VARIABLE differs)
    if(differs)
      list(APPEND differing ${name})
    else()
      file(SIZE ${OUTPUT_DIR}/${name} size)
      message("identical to the Linux build: ${name} (${size} bytes)")
    endif()
  endforeach()
  if(differing)
    execute_process(COMMAND diff -u ${REFERENCE_DIR}/report.txt ${OUTPUT_DIR}/report.txt)
    message(FATAL_ERROR "differs from the Linux build: ${differing}")
  endif()
else()
  # Each invocation's result, and that the image changed exactly when it succeeded.
  foreach(expected
          "[replay]\nresult 0\n" "[replay-again]\nresult 0\n" "[transparent-layer]\nresult 0\n"
          "[too-small]\nresult -128\n" "[not-rgb]\nresult -128\n" "[cancel]\nresult -128\n"
          "result 0\ncalls 0:0 1:0 2:0 3:0 5:0\ncontinue calls 0\nimage changed yes\n")
    string(FIND "${report}" "${expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the report lacks:\n${expected}")
    endif()
  endforeach()
endif()
