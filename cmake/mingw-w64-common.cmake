# What the two Windows toolchain files share: Debian's mingw-w64 for the
# triplet in VORN_MINGW_TRIPLET (set by mingw-w64.cmake or mingw-w64-i686.cmake).
set(CMAKE_SYSTEM_NAME Windows)

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
