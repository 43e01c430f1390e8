# Shared part of the Linux cross toolchain files (aarch64-linux-gnu.cmake,
# powerpc64le-linux-gnu.cmake, s390x-linux-gnu.cmake): Debian's cross
# compilers for VORN_CROSS_TRIPLET, the target's libraries and headers from
# /usr/<triplet>, and qemu-user as the emulator that runs what is built.
set(CMAKE_SYSTEM_NAME Linux)

find_program(CMAKE_C_COMPILER NAMES ${VORN_CROSS_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VORN_CROSS_TRIPLET}-g++ REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${VORN_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Where qemu-user is installed, executables built here run through it; -L
# gives the target's dynamic loader and libraries.
find_program(VORN_CROSS_QEMU NAMES ${VORN_CROSS_QEMU_NAME})
if(VORN_CROSS_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VORN_CROSS_QEMU} -L /usr/${VORN_CROSS_TRIPLET})
endif()
