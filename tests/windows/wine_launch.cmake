# Included by the scripts that run Windows programs under Wine.
#
# wine_launcher(<out>): the command prefix that runs a Windows program under
# WINE on a virtual display from XVFB_RUN, with a screen of 1280 by 1024 (the
# plug-in refuses screens under 800 by 600).
#
# wine_can_run(<out> <program>): whether this machine can run the program at
# all: a 32-bit one needs a kernel that runs 32-bit processes and Wine's
# 32-bit part. The program, started without arguments, must exit with 2 (its
# usage message), as lumistra-selector-run does.
function(wine_launcher out)
  set(${out} ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" ${WINE} PARENT_SCOPE)
endfunction()

function(wine_can_run out program)
  wine_launcher(launcher)
  execute_process(COMMAND ${launcher} ${program} RESULT_VARIABLE probe
                  OUTPUT_QUIET ERROR_VARIABLE errors TIMEOUT 120)
  if(probe EQUAL 2)
    set(${out} TRUE PARENT_SCOPE)
  else()
    message("SKIPPED: this machine cannot run ${program} under Wine (exit ${probe}; "
            "32-bit programs need the kernel's IA-32 emulation and wine32): ${errors}")
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()
