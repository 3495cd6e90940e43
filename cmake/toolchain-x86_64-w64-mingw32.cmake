# 64-bit Windows modules with Debian's MinGW-w64 cross compilers
# (g++-mingw-w64-x86-64). The C and C++ runtimes are linked statically, so
# the module needs nothing but Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMISTRA_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
