# 32-bit (x86) Windows build: the x86 deliverables. Built, never run here:
# this machine cannot execute 32-bit programs, so no emulator is set and no
# tests are registered.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KUBRELSE_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
