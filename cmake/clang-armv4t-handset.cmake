# The handset's processor with clang: the game's code compiled to ARM-mode
# code for ARMv4T (the oldest core the handset's family ran, which also runs
# on its ARMv5TE ones), ELF objects in the handset's calling convention as
# far as the game's calls need it: 16-bit wchar_t, int-sized enums, soft
# floating point. cmake/HandsetLink.cmake links them with GNU ld for ARM and
# turns the result into the handset's own program form (tools/ce-image).
# Used by the handset-arm preset, which also sets KUBRELSE_HANDSET_OBJECTS.
#
# Headers: the MinGW-w64 platform headers, and, for the few C headers they
# wrap (<cstdint>, <cstring>, ...), the C++ headers of the x86 cross
# compiler. -nostdinc++ keeps clang from looking for a C++ library of its
# own; the objects are checked to use none (cmake/CheckHandsetCalls.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET armv4t-none-eabi)
set(CMAKE_CXX_COMPILER_TARGET armv4t-none-eabi)
set(CMAKE_RC_COMPILER llvm-rc)
# No C runtime to link against: the compiler checks build static libraries.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(KUBRELSE_MINGW_SUFFIX "-posix" CACHE STRING "Suffix of the MinGW-w64 compiler names (Debian: -posix)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KUBRELSE_MINGW_SUFFIX)
execute_process(COMMAND i686-w64-mingw32-g++${KUBRELSE_MINGW_SUFFIX} -print-file-name=include/c++
                OUTPUT_VARIABLE kubrelse_cxx_headers OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT IS_DIRECTORY "${kubrelse_cxx_headers}/i686-w64-mingw32")
    message(FATAL_ERROR "no C++ headers of i686-w64-mingw32-g++${KUBRELSE_MINGW_SUFFIX} (tools/install-deps.sh)")
endif()
# The processor has no atomic instructions: every atomic access becomes a
# call, which the program answers itself (game/shell/handset/runtime.cpp);
# clang's warning about that is off.
set(kubrelse_handset_flags "-marm -mfloat-abi=soft -fshort-wchar -fno-short-enums -ffreestanding -fms-extensions \
-D_WIN32 -DWIN32 -Wno-atomic-alignment")
set(kubrelse_headers "-isystem /usr/share/mingw-w64/include")
set(CMAKE_C_FLAGS_INIT "${kubrelse_handset_flags} ${kubrelse_headers}")
set(CMAKE_RC_FLAGS_INIT "-D _WIN32 -I /usr/share/mingw-w64/include")
set(CMAKE_CXX_FLAGS_INIT "${kubrelse_handset_flags} -nostdinc++ -isystem ${kubrelse_cxx_headers} \
-isystem ${kubrelse_cxx_headers}/i686-w64-mingw32 ${kubrelse_headers}")
