# Cross build for 32-bit Arm with hardware floating point, ARMv7 (Debian armhf):
#   cmake -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/arm-linux-gnueabihf.cmake
# needs g++-arm-linux-gnueabihf and qemu-user.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(SKYANGLES_TRIPLET arm-linux-gnueabihf)
set(SKYANGLES_QEMU qemu-arm)
set(SKYANGLES_DEBIAN_ARCH armhf)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
