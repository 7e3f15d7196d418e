# The flags the handset's code is compiled with, in one place: the handset
# build's toolchain (cmake/clang-armv4t-handset.cmake) and the replay that
# runs the engine's code on emulated handset processors
# (game/engine/replay) use the same list.
#
# KUBRELSE_HANDSET_CXX_FLAGS: ARM-mode code for ARMv4T, the oldest core the
# handset's family ran (its ARMv5TE ones run it too); the platform's 16-bit
# wchar_t, int-sized enums and soft floating point; no hosted library; the
# MinGW-w64 platform headers, and, for the few C headers they wrap
# (<cstdint>, <cstring>, ...), the C++ headers of the x86 cross compiler,
# with -nostdinc++ keeping clang from looking for a C++ library of its own.
# The processor has no atomic instructions: every atomic access becomes a
# call, which the program answers itself (game/shell/handset/runtime.cpp);
# clang's warning about that is off.
set(KUBRELSE_MINGW_SUFFIX "-posix" CACHE STRING "Suffix of the MinGW-w64 compiler names (Debian: -posix)")
execute_process(COMMAND i686-w64-mingw32-g++${KUBRELSE_MINGW_SUFFIX} -print-file-name=include/c++
                OUTPUT_VARIABLE kubrelse_cxx_headers OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT IS_DIRECTORY "${kubrelse_cxx_headers}/i686-w64-mingw32")
    message(FATAL_ERROR "no C++ headers of i686-w64-mingw32-g++${KUBRELSE_MINGW_SUFFIX} (tools/install-deps)")
endif()
set(KUBRELSE_HANDSET_TARGET armv4t-none-eabi)
set(kubrelse_code -marm -mfloat-abi=soft -fshort-wchar -fno-short-enums -ffreestanding -fms-extensions -D_WIN32
                  -DWIN32 -Wno-atomic-alignment)
set(KUBRELSE_HANDSET_C_FLAGS ${kubrelse_code} -isystem /usr/share/mingw-w64/include)
set(KUBRELSE_HANDSET_CXX_FLAGS ${kubrelse_code} -nostdinc++ -isystem ${kubrelse_cxx_headers}
                               -isystem ${kubrelse_cxx_headers}/i686-w64-mingw32 -isystem /usr/share/mingw-w64/include)

# kubrelse_find_handset_tools() finds what links and reads the handset's ARM
# programs, from Debian's gcc-arm-none-eabi: KUBRELSE_ARM_LD, _OBJDUMP and
# _READELF, and KUBRELSE_HANDSET_LIBGCC, the compiler library for ARMv4T in
# ARM mode (the helpers the handset's libraries lack, such as the 64-bit
# division). Stops naming the package when any is missing.
macro(kubrelse_find_handset_tools)
    find_program(KUBRELSE_ARM_GCC arm-none-eabi-gcc)
    find_program(KUBRELSE_ARM_LD arm-none-eabi-ld)
    find_program(KUBRELSE_ARM_OBJDUMP arm-none-eabi-objdump)
    find_program(KUBRELSE_ARM_READELF arm-none-eabi-readelf)
    foreach(tool KUBRELSE_ARM_GCC KUBRELSE_ARM_LD KUBRELSE_ARM_OBJDUMP KUBRELSE_ARM_READELF)
        if(NOT ${tool})
            message(FATAL_ERROR "${tool} not found: the package gcc-arm-none-eabi (tools/install-deps)")
        endif()
    endforeach()
    execute_process(COMMAND ${KUBRELSE_ARM_GCC} -march=armv4t -marm -mfloat-abi=soft -print-libgcc-file-name
                    OUTPUT_VARIABLE KUBRELSE_HANDSET_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${KUBRELSE_HANDSET_LIBGCC}")
        message(FATAL_ERROR "no ARMv4T libgcc from ${KUBRELSE_ARM_GCC} (tools/install-deps)")
    endif()
endmacro()
