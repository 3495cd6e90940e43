# Cross builds of the Windows plug-in from this same source tree, one per
# architecture, driven from the native build so that its tests can check the
# modules against the Linux build. Needs the MinGW-w64 cross compilers
# (scripts/build-windows installs them).
#
# After the build the modules are at LUMISTRA_WINDOWS_MODULE_x86 and
# LUMISTRA_WINDOWS_MODULE_x64, and every program of the Windows build beside
# them (LUMISTRA_WINDOWS_BIN_DIR_<arch>).
include(ExternalProject)

# What each cross build makes: the plug-in, and the programs the tests run under Wine.
set(LUMISTRA_WINDOWS_TARGETS Lumistra lumistra-selector-run lumistra-display-check
  lumistra-dialog-drive lumistra-installed-help-check lumistra-setup-drive)

foreach(arch x86 x64)
  if(arch STREQUAL "x86")
    set(toolchain ${PROJECT_SOURCE_DIR}/cmake/toolchain-i686-w64-mingw32.cmake)
  else()
    set(toolchain ${PROJECT_SOURCE_DIR}/cmake/toolchain-x86_64-w64-mingw32.cmake)
  endif()
  set(binary_dir ${CMAKE_BINARY_DIR}/windows-${arch})
  set(bin_dir ${binary_dir}/bin)
  # A Makefile build hands its job slots down to the cross build's make,
  # which first regenerates itself so that new targets are known.
  if(CMAKE_GENERATOR MATCHES "Makefiles")
    set(build_command $(MAKE) cmake_check_build_system COMMAND $(MAKE) ${LUMISTRA_WINDOWS_TARGETS})
  else()
    set(build_command ${CMAKE_COMMAND} --build ${binary_dir})
    foreach(target IN LISTS LUMISTRA_WINDOWS_TARGETS)
      list(APPEND build_command --target ${target})
    endforeach()
  endif()

  ExternalProject_Add(lumistra_windows_${arch}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${toolchain}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${bin_dir}
      -DCMAKE_LIBRARY_OUTPUT_DIRECTORY=${bin_dir}
      -DLUMISTRA_BUILD_TESTS=OFF
      -DLUMISTRA_BUILD_BENCH=OFF
      -DLUMISTRA_WINDOWS_TEST_PROGRAMS=ON
    BUILD_COMMAND ${build_command}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${bin_dir}/Lumistra.8bf
    INSTALL_COMMAND "")

  set(LUMISTRA_WINDOWS_BIN_DIR_${arch} ${bin_dir})
  set(LUMISTRA_WINDOWS_MODULE_${arch} ${bin_dir}/Lumistra.8bf)
endforeach()
