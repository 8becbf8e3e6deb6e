# Cross build for 64-bit Arm (Debian arm64):
#   cmake -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake
# needs g++-aarch64-linux-gnu and qemu-user.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(SKYANGLES_TRIPLET aarch64-linux-gnu)
set(SKYANGLES_QEMU qemu-aarch64)
set(SKYANGLES_DEBIAN_ARCH arm64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
