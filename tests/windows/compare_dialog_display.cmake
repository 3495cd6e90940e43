# Runs lumistra-preview on the image and dialog geometry a Windows run of
# lumistra-dialog-drive wrote, opening the dialog and painting once, and
# requires the two displayPixels calls (preview, navigator) to carry the same
# bytes on both platforms. Skipped when the Windows run wrote nothing (it was
# skipped itself).
#   cmake -DPREVIEW=... -DWINDOWS_DIR=... -DOUTPUT_DIR=... -P compare_dialog_display.cmake
cmake_minimum_required(VERSION 3.16)

if(NOT EXISTS ${WINDOWS_DIR}/geometry.txt)
  message("SKIPPED: no Windows dialog run in ${WINDOWS_DIR}")
  return()
endif()
file(READ ${WINDOWS_DIR}/geometry.txt geometry)
file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
file(WRITE ${OUTPUT_DIR}/script.txt "paint\nok\n")
execute_process(COMMAND ${PREVIEW} ${WINDOWS_DIR}/photo.ppm ${geometry}
                        --script ${OUTPUT_DIR}/script.txt --out ${OUTPUT_DIR}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lumistra-preview failed: ${result}")
endif()
foreach(name display-000.ppm display-001.ppm)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WINDOWS_DIR}/${name}
                          ${OUTPUT_DIR}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name}: the Windows dialog displayed other pixels than the Linux model")
  endif()
  file(SIZE ${OUTPUT_DIR}/${name} size)
  message("identical to the Linux model: ${name} (${size} bytes)")
endforeach()
