# cmake -DFILE=<program> -DMAP=<linker map> -DDLL=<dll> -DOBJDUMP=<objdump>
#       -P CheckDelayImports.cmake
# Reads the built program with objdump and fails unless it carries a
# delay-import descriptor for DLL (found through the linker's map) whose
# every import slot starts out pointing into one of the program's code
# sections: the stub that loads the DLL at the first call. A slot that
# starts out 0, or anywhere else, sends the first call astray on any Windows.
cmake_minimum_required(VERSION 3.21)

function(objdump out)
    execute_process(COMMAND "${OBJDUMP}" ${ARGN} "${FILE}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${OBJDUMP} ${ARGN} could not read ${FILE}")
    endif()
    set(${out} "${dump}" PARENT_SCOPE)
endfunction()

# The <bytes> bytes the program holds at <address>, as hexadecimal digits in
# memory order; fewer where it holds none.
function(read_bytes address bytes out)
    math(EXPR start "${address}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR stop "${address} + ${bytes}" OUTPUT_FORMAT HEXADECIMAL)
    objdump(dump -s --start-address=${start} --stop-address=${stop})
    # A line: " <address> ", then 36 columns of up to 16 bytes in groups of
    # four, blank past the stop, then the bytes as text.
    string(REGEX MATCHALL "\n [0-9a-f]+ [0-9a-f ]+" lines "${dump}")
    set(hex "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^\n [0-9a-f]+ " "" line "${line}")
        string(SUBSTRING "${line}" 0 36 line)
        string(REPLACE " " "" line "${line}")
        string(APPEND hex "${line}")
    endforeach()
    set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# The little-endian number of <bytes> bytes at <address>.
function(read_number address bytes out)
    read_bytes("${address}" ${bytes} hex)
    string(LENGTH "${hex}" length)
    math(EXPR digits "${bytes} * 2")
    if(NOT length EQUAL digits)
        math(EXPR shown "${address}" OUTPUT_FORMAT HEXADECIMAL)
        message(FATAL_ERROR "${FILE}: the ${bytes} bytes at ${shown} are outside the program")
    endif()
    string(REGEX MATCHALL ".." pairs "${hex}")
    list(REVERSE pairs)
    string(JOIN "" value ${pairs})
    math(EXPR value "0x${value}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

objdump(headers -p)
if(NOT headers MATCHES "\nImageBase[ \t]+([0-9a-f]+)")
    message(FATAL_ERROR "${FILE} is no PE program")
endif()
math(EXPR image_base "0x${CMAKE_MATCH_1}")
set(pointer 4)
if(headers MATCHES "\nMagic[ \t]+020b")  # PE32+
    set(pointer 8)
endif()

# The code sections' addresses: "<index> <name> <size> <address> ..." over
# a line of flags.
objdump(headers -h)
string(REGEX MATCHALL "\n +[0-9]+ +[^ \n]+ +[0-9a-f]+ +[0-9a-f]+[^\n]*\n[^\n]*" sections "${headers}")
set(code "")
foreach(section IN LISTS sections)
    if(section MATCHES "^\n +[0-9]+ +[^ \n]+ +([0-9a-f]+) +([0-9a-f]+)[^\n]*\n[^\n]*CODE")
        math(EXPR start "0x${CMAKE_MATCH_2}")
        math(EXPR end "${start} + 0x${CMAKE_MATCH_1}")
        list(APPEND code "${start}-${end}")
    endif()
endforeach()

# The name as the program holds it, with its terminator.
string(HEX "${DLL}" wanted)
string(APPEND wanted 00)
string(LENGTH "${DLL}" name_bytes)
math(EXPR name_bytes "${name_bytes} + 1")

file(STRINGS "${MAP}" placed REGEX "0x[0-9a-f]+ +_*DELAY_IMPORT_DESCRIPTOR_")
set(found 0)
foreach(line IN LISTS placed)
    string(REGEX REPLACE "^ *0x0*([0-9a-f]+) .*" "\\1" address "${line}")
    # grAttrs, rvaDLLName, rvaHmod, rvaIAT, rvaINT: four bytes each, the
    # addresses relative to the image base.
    read_bytes(0x${address} 20 descriptor)
    string(LENGTH "${descriptor}" length)
    if(NOT length EQUAL 40)
        message(FATAL_ERROR "${FILE}: the delay-import descriptor at 0x${address} is outside the program")
    endif()
    read_number(0x${address}+4 4 name)
    read_bytes("${image_base} + ${name}" ${name_bytes} name)
    if(NOT name STREQUAL wanted)
        continue()
    endif()
    set(found 1)
    read_number(0x${address}+12 4 slots)
    read_number(0x${address}+16 4 names)
    set(count 0)
    while(1)
        read_number("${image_base} + ${names} + ${count} * ${pointer}" ${pointer} named)
        if(named EQUAL 0)
            break()
        endif()
        read_number("${image_base} + ${slots} + ${count} * ${pointer}" ${pointer} target)
        set(good 0)
        foreach(range IN LISTS code)
            string(REPLACE "-" ";" range "${range}")
            list(GET range 0 start)
            list(GET range 1 end)
            if(target GREATER_EQUAL start AND target LESS end)
                set(good 1)
            endif()
        endforeach()
        if(NOT good)
            math(EXPR shown "${target}" OUTPUT_FORMAT HEXADECIMAL)
            message(FATAL_ERROR "${FILE}: delay-import slot ${count} of ${DLL} starts out as ${shown}, "
                                "outside the program's code: its first call would jump there")
        endif()
        math(EXPR count "${count} + 1")
    endwhile()
    if(count EQUAL 0)
        message(FATAL_ERROR "${FILE}: the delay imports of ${DLL} name no function")
    endif()
    message(STATUS "${FILE}: ${count} delay-import slot(s) of ${DLL}, each pointing at its loading stub")
endforeach()
if(NOT found)
    message(FATAL_ERROR "${FILE}: no delay-import descriptor of ${DLL} in ${MAP}")
endif()
