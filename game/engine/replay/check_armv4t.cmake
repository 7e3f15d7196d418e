# Passes when the replay's ARM program holds only code an ARMv4T runs: its
# attributes name ARMv4T, its mapping symbols mark ARM code and no Thumb
# code ($t), and its disassembly holds no instruction of ARMv5 or later
# (GNU objdump decodes those whatever the attributes say). It must also have
# no constructors to run: freestanding.cpp's entry runs none.
#   cmake -DELF=<elf> -DREADELF=<readelf> -DOBJDUMP=<objdump> -P check_armv4t.cmake
execute_process(COMMAND ${READELF} -A -S -s ${ELF} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed OR NOT symbols MATCHES "Tag_CPU_arch: v4T\n")
    message(FATAL_ERROR "${ELF} is not marked ARMv4T")
endif()
if(NOT symbols MATCHES " \\$a[.0-9]*\n")
    message(FATAL_ERROR "${ELF} marks no ARM code: no mapping symbols to check")
endif()
if(symbols MATCHES " \\$t[.0-9]*\n")
    message(FATAL_ERROR "${ELF} holds Thumb code")
endif()
if(symbols MATCHES "\\.init_array")
    message(FATAL_ERROR "${ELF} has constructors, which nothing would run")
endif()

execute_process(COMMAND ${OBJDUMP} -d ${ELF} OUTPUT_VARIABLE code RESULT_VARIABLE failed)
if(failed OR NOT code MATCHES "<_start>:")
    message(FATAL_ERROR "no disassembly of ${ELF}")
endif()
set(newer "blx|clz|ldrd|strd|pld|bkpt|ldrexd?|strexd?|q(d)?(add|sub)|smla[bt][bt]|smlal[bt][bt]|smlaw[bt]")
set(newer "${newer}|smul[bt][bt]|smulw[bt]|mcrr2?|mrrc2?")
set(condition "(eq|ne|cs|hs|cc|lo|mi|pl|vs|vc|hi|ls|ge|lt|gt|le|al)?")
string(REGEX MATCHALL "[^\n]*\t(${newer})${condition}[\t\n][^\n]*|[^\n]*UNDEFINED[^\n]*" found "${code}")
if(found)
    list(JOIN found "\n" found)
    message(FATAL_ERROR "instructions an ARMv4T does not have:\n${found}")
endif()
message("${ELF}: ARMv4T ARM code only")
