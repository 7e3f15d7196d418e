# The handset's processor with clang: the game's code compiled to ARM-mode
# code for ARMv4T (the oldest core the handset's family ran, which also runs
# on its ARMv5TE ones), ELF objects in the handset's calling convention as
# far as the game's calls need it: 16-bit wchar_t, int-sized enums, soft
# floating point (the flags: cmake/HandsetFlags.cmake). cmake/HandsetLink.cmake
# links them with GNU ld for ARM and turns the result into the handset's own
# program form (tools/ce-image). Used by the handset-arm preset, which also
# sets KUBRELSE_HANDSET_OBJECTS. The objects are checked to use no C++
# library (cmake/CheckHandsetCalls.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET armv4t-none-eabi)
set(CMAKE_CXX_COMPILER_TARGET armv4t-none-eabi)
set(CMAKE_RC_COMPILER llvm-rc)
# No C runtime to link against: the compiler checks build static libraries.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KUBRELSE_MINGW_SUFFIX)
include(${CMAKE_CURRENT_LIST_DIR}/HandsetFlags.cmake)
list(JOIN KUBRELSE_HANDSET_C_FLAGS " " kubrelse_c_flags)
list(JOIN KUBRELSE_HANDSET_CXX_FLAGS " " kubrelse_cxx_flags)
set(CMAKE_C_FLAGS_INIT "${kubrelse_c_flags}")
set(CMAKE_CXX_FLAGS_INIT "${kubrelse_cxx_flags}")
set(CMAKE_RC_FLAGS_INIT "-D _WIN32 -I /usr/share/mingw-w64/include")
