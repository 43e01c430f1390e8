# Cross-build for Linux on 64-bit Arm (little-endian), with Debian's g++-aarch64-linux-gnu; run under qemu-aarch64
# (qemu-user).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(VORN_CROSS_TRIPLET aarch64-linux-gnu)
set(VORN_CROSS_QEMU_NAME qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
