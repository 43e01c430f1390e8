# Cross-build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686),
# for 32-bit hosts (LabVIEW, Office). Every routine keeps the C calling
# convention, cdecl, as on every other platform, and its undecorated name.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# x87 arithmetic would round intermediates to 80 bits: SSE2 gives the same
# double rounding as every 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
