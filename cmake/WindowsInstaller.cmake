# The Windows setup program, made with NSIS's makensis from installer/lumistra.nsi
# around the two cross-built modules and the help page in help/:
#   installer/LumistraSetup.exe        the one users get (a 32-bit program: it runs on
#                                      32- and 64-bit Windows)
#   installer/LumistraSetup-amd64.exe  the same script as a 64-bit program, which
#                                      the checks run where 32-bit programs cannot run
find_program(LUMISTRA_MAKENSIS makensis)
if(NOT LUMISTRA_MAKENSIS)
  message(STATUS "makensis not found: no Windows setup program")
  return()
endif()

file(GLOB LUMISTRA_INSTALLER_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/installer/*.nsi ${PROJECT_SOURCE_DIR}/installer/*.nsh
  ${PROJECT_SOURCE_DIR}/help/*.htm ${PROJECT_SOURCE_DIR}/help/*.css
  ${PROJECT_SOURCE_DIR}/help/images/*.png)
set(LUMISTRA_INSTALLER_DIR ${CMAKE_BINARY_DIR}/installer)

# lumistra_add_setup_program(OUTPUT VERSION [AMD64])
function(lumistra_add_setup_program output version)
  set(target_option "")
  if("AMD64" IN_LIST ARGN)
    set(target_option -DLUMISTRA_TARGET_AMD64)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMISTRA_INSTALLER_DIR}
    COMMAND ${LUMISTRA_MAKENSIS} -V2 -DLUMISTRA_VERSION=${version}
            -DLUMISTRA_X86_MODULE=${LUMISTRA_WINDOWS_MODULE_x86}
            -DLUMISTRA_X64_MODULE=${LUMISTRA_WINDOWS_MODULE_x64}
            -DLUMISTRA_HELP_DIR=${PROJECT_SOURCE_DIR}/help
            -DLUMISTRA_INSTALL_TEXT=${PROJECT_SOURCE_DIR}/resources/INSTALL.txt
            -DLUMISTRA_OUTFILE=${output} ${target_option}
            ${PROJECT_SOURCE_DIR}/installer/lumistra.nsi
    DEPENDS lumistra_windows_x86 lumistra_windows_x64
            ${LUMISTRA_WINDOWS_MODULE_x86} ${LUMISTRA_WINDOWS_MODULE_x64}
            ${LUMISTRA_INSTALLER_SOURCES} ${PROJECT_SOURCE_DIR}/resources/INSTALL.txt
    COMMENT "makensis: ${output}"
    VERBATIM)
endfunction()

set(LUMISTRA_SETUP_PROGRAM ${LUMISTRA_INSTALLER_DIR}/LumistraSetup.exe)
set(LUMISTRA_SETUP_PROGRAM_AMD64 ${LUMISTRA_INSTALLER_DIR}/LumistraSetup-amd64.exe)
lumistra_add_setup_program(${LUMISTRA_SETUP_PROGRAM} ${PROJECT_VERSION})
lumistra_add_setup_program(${LUMISTRA_SETUP_PROGRAM_AMD64} ${PROJECT_VERSION} AMD64)
add_custom_target(lumistra_windows_installer ALL
  DEPENDS ${LUMISTRA_SETUP_PROGRAM} ${LUMISTRA_SETUP_PROGRAM_AMD64})
