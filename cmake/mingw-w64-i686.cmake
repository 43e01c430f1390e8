# Cross-build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686),
# for 32-bit hosts (LabVIEW, Office). Every routine keeps the C calling
# convention, cdecl, as on every other platform, and its undecorated name.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORN_MINGW_TRIPLET i686-w64-mingw32)

# The win32-thread flavour: the library starts no threads, and so needs no
# threading runtime beside it.
find_program(CMAKE_C_COMPILER NAMES ${VORN_MINGW_TRIPLET}-gcc-win32 ${VORN_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VORN_MINGW_TRIPLET}-g++-win32 ${VORN_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VORN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# x87 arithmetic would round intermediates to 80 bits: SSE2 gives the same
# double rounding as every 64-bit build. Executables carry their runtime too.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
