# Shared part of the MinGW-w64 toolchain files; they set CMAKE_SYSTEM_PROCESSOR
# and LUMISTRA_MINGW_TRIPLET before including it.
set(CMAKE_C_COMPILER ${LUMISTRA_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${LUMISTRA_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${LUMISTRA_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${LUMISTRA_MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMISTRA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc_s, libstdc++ or libwinpthread DLLs beside the module.
# The toolchain file is read more than once per configure: set, never append.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endforeach()
