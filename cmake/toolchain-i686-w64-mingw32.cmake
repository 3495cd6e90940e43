# 32-bit Windows modules with Debian's MinGW-w64 cross compilers
# (g++-mingw-w64-i686). The C and C++ runtimes are linked statically, so the
# module needs nothing but Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMISTRA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)

# Floating point in SSE2 registers, as on 64-bit, not in the x87 stack: the
# engine then rounds every single-precision step the same way on all targets.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
