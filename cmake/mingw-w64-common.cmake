# The compilers of the posix thread model, which std::thread and GoogleTest
# need. Debian names them <triplet>-gcc-posix and <triplet>-g++-posix (its
# plain names are the win32 model); where the plain names are the posix
# model, configure with -DKUBRELSE_MINGW_SUFFIX= (empty).
set(KUBRELSE_MINGW_SUFFIX "-posix" CACHE STRING "Suffix of the MinGW-w64 compiler names (Debian: -posix)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KUBRELSE_MINGW_SUFFIX)
set(CMAKE_C_COMPILER ${KUBRELSE_TRIPLET}-gcc${KUBRELSE_MINGW_SUFFIX})
set(CMAKE_CXX_COMPILER ${KUBRELSE_TRIPLET}-g++${KUBRELSE_MINGW_SUFFIX})
set(CMAKE_RC_COMPILER ${KUBRELSE_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KUBRELSE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# A fully static runtime: each .exe runs without libgcc, libstdc++ or
# libwinpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
