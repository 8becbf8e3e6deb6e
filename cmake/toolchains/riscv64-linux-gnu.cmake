# Cross build for 64-bit RISC-V (Debian riscv64):
#   cmake -B build-riscv64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/riscv64-linux-gnu.cmake
# needs g++-riscv64-linux-gnu and qemu-user.
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(SKYANGLES_TRIPLET riscv64-linux-gnu)
set(SKYANGLES_QEMU qemu-riscv64)
set(SKYANGLES_DEBIAN_ARCH riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
