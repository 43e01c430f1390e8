# Cross-build for Linux on IBM Z (64-bit, big-endian), with Debian's g++-s390x-linux-gnu; run under qemu-s390x
# (qemu-user).
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(VORN_CROSS_TRIPLET s390x-linux-gnu)
set(VORN_CROSS_QEMU_NAME qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
