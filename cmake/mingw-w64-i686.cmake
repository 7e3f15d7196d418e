# 32-bit (x86) Windows build: the x86 deliverables. The test programs run
# under Debian 13's 32-bit Wine 10 inside an i386 root (tools/x86-root), on
# the processor's 32-bit mode or an emulated x86 processor, through the
# same runner as the x64 build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KUBRELSE_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
