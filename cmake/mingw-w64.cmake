# Cross-build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORN_MINGW_TRIPLET x86_64-w64-mingw32)

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

# Executables carry their runtime too: they run under wine with nothing installed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
