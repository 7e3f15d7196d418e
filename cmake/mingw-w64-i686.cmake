# 32-bit (x86) Windows build: the x86 deliverables. This machine runs no
# 32-bit Linux program, so the test programs run under Wine 10 in WoW64 mode
# inside a Debian 13 root (tools/wine10-root), through the same runner as
# the x64 build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KUBRELSE_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
