# Shared by the toolchain files beside it: a cross build with Debian's cross
# compilers for the GNU triplet SKYANGLES_TRIPLET, whose programs, tests
# included, run under the qemu-user program SKYANGLES_QEMU.  The cross
# compilers keep the target's C library under /usr/TRIPLET, where qemu finds
# the dynamic loader of a program that is not linked statically.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${SKYANGLES_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${SKYANGLES_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${SKYANGLES_QEMU} -L /usr/${SKYANGLES_TRIPLET})
