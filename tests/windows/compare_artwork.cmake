# Runs the artwork generator into OUTPUT_DIR and compares what it draws with
# the files committed in ARTWORK_DIR, byte for byte.
#   cmake -DPYTHON=... -DARTWORK_DIR=... -DOUTPUT_DIR=... -P compare_artwork.cmake
cmake_minimum_required(VERSION 3.16)
file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(COMMAND ${PYTHON} ${ARTWORK_DIR}/draw_artwork.py ${OUTPUT_DIR}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "draw_artwork.py failed: ${result}")
endif()
file(GLOB drawn RELATIVE ${OUTPUT_DIR} ${OUTPUT_DIR}/*)
file(GLOB committed RELATIVE ${ARTWORK_DIR} ${ARTWORK_DIR}/*.cur ${ARTWORK_DIR}/*.bmp)
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "drawn files (${drawn}) differ from committed files (${committed})")
endif()
foreach(name IN LISTS drawn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT_DIR}/${name}
                          ${ARTWORK_DIR}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name}: the committed file is not what draw_artwork.py draws; "
                        "run it and commit its output")
  endif()
endforeach()
message(STATUS "artwork reproduced: ${drawn}")
