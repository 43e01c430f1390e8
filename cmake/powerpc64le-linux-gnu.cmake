# Cross-build for Linux on 64-bit POWER, little-endian (Debian's ppc64el), with Debian's g++-powerpc64le-linux-gnu; run under qemu-ppc64le
# (qemu-user).
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(VORN_CROSS_TRIPLET powerpc64le-linux-gnu)
set(VORN_CROSS_QEMU_NAME qemu-ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
