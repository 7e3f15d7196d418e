# The check that a linked ARM program holds only code an ARMv4T runs, for the
# handset's image (cmake/CheckHandsetImage.cmake) and the replay
# (game/engine/replay): its attributes name ARMv4T; its mapping symbols mark
# ARM code ($a) and no Thumb code ($t), and no function symbol is odd (a
# Thumb function's is); it has no constructors, which nothing would run; and
# its disassembly holds no instruction of ARMv5 or later (GNU objdump decodes
# those whatever the attributes say).
#
# include() it for kubrelse_armv4t_faults(<elf> <readelf> <objdump> <var>),
# which appends a line to the list <var> for each fault; or run it alone:
#   cmake -DELF=<elf> -DREADELF=<readelf> -DOBJDUMP=<objdump> -P CheckArmv4tCode.cmake
cmake_minimum_required(VERSION 3.21)

function(kubrelse_armv4t_faults elf readelf objdump var)
    set(faults ${${var}})
    execute_process(COMMAND "${readelf}" -A -S -s -W "${elf}" OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${readelf} could not read ${elf}")
    endif()
    if(NOT symbols MATCHES "Tag_CPU_arch: v4T\n")
        list(APPEND faults "${elf} is not marked ARMv4T")
    endif()
    if(NOT symbols MATCHES " \\$a[.0-9]*\n")
        list(APPEND faults "${elf} marks no ARM code: no mapping symbols to check")
    endif()
    string(REGEX MATCHALL "\n *[0-9]+: [0-9a-f]*[13579bdf] +[0-9]+ FUNC [^\n]*|\n[^\n]* \\$t(\\.[^\n]*)?" thumb
                 "${symbols}")
    foreach(line IN LISTS thumb)
        string(STRIP "${line}" line)
        list(APPEND faults "Thumb code: ${line}")
    endforeach()
    if(symbols MATCHES "\\.init_array")
        list(APPEND faults "${elf} has constructors, which nothing would run")
    endif()

    execute_process(COMMAND "${objdump}" -d "${elf}" OUTPUT_VARIABLE code RESULT_VARIABLE failed)
    if(failed OR NOT code MATCHES "Disassembly of section")
        message(FATAL_ERROR "no disassembly of ${elf}")
    endif()
    set(newer "blx|clz|ldrd|strd|pld|bkpt|ldrexd?|strexd?|q(d)?(add|sub)|smla[bt][bt]|smlal[bt][bt]|smlaw[bt]")
    set(newer "${newer}|smul[bt][bt]|smulw[bt]|mcrr2?|mrrc2?")
    set(condition "(eq|ne|cs|hs|cc|lo|mi|pl|vs|vc|hi|ls|ge|lt|gt|le|al)?")
    string(REGEX MATCHALL "[^\n]*\t(${newer})${condition}[\t\n][^\n]*|[^\n]*UNDEFINED[^\n]*" found "${code}")
    foreach(line IN LISTS found)
        string(STRIP "${line}" line)
        list(APPEND faults "an instruction newer than ARMv4T: ${line}")
    endforeach()
    set(${var} "${faults}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    set(faults "")
    kubrelse_armv4t_faults("${ELF}" "${READELF}" "${OBJDUMP}" faults)
    if(faults)
        list(JOIN faults "\n  " report)
        message(FATAL_ERROR "${ELF} holds code an ARMv4T cannot run:\n  ${report}")
    endif()
    message("${ELF}: ARMv4T ARM code only")
endif()
