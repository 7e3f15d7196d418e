# cmake -DIMAGE=<exe> -DELF=<linked elf> -DCALLS=<list> -DREADOBJ=<llvm-readobj>
#       -DOBJDUMP=<arm-none-eabi-objdump> -DREADELF=<arm-none-eabi-readelf>
#       -P CheckHandsetImage.cmake
# Reads the handset's image back as the handset's loader and processor
# would take it, and fails on
# - a machine other than ARM (0x1C0), a subsystem other than the handset's
#   GUI one (9), a subsystem version other than 3.00 (the loader refuses a
#   newer one), an image base other than 0x10000;
# - a base relocation other than HIGHLOW (the loader skips other kinds
#   without a word);
# - an import from a library the CALLS list has no file for, or of a name
#   the list does not put under that library (the loader writes 0 for a
#   name the library lacks, and the first call jumps there);
# - an import slot that no thunk reads (the handset ties the program to
#   every name it imports, called or not);
# - code the processor cannot run, in the linked program
#   (cmake/CheckArmv4tCode.cmake).
# On success it prints the image's size, its sections and what it imports.
cmake_minimum_required(VERSION 3.21)
include(${CMAKE_CURRENT_LIST_DIR}/HandsetCallList.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckArmv4tCode.cmake)

set(faults "")
execute_process(COMMAND "${READOBJ}" --file-headers --sections --coff-imports --coff-basereloc "${IMAGE}"
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${READOBJ} could not read ${IMAGE}: ${errors}")
endif()

function(expect field wanted)
    string(REGEX MATCH "\n *${field}: ([^\n]*)" _ "${listing}")
    if(NOT CMAKE_MATCH_1 MATCHES "${wanted}")
        set(faults "${faults};${field} is '${CMAKE_MATCH_1}', not ${wanted}" PARENT_SCOPE)
    endif()
endfunction()
expect(Machine "IMAGE_FILE_MACHINE_ARM \\(0x1C0\\)")
expect(Subsystem "IMAGE_SUBSYSTEM_WINDOWS_CE_GUI \\(0x9\\)")
expect(MajorSubsystemVersion "^3$")
expect(MinorSubsystemVersion "^0$")
expect(ImageBase "^0x10000$")

# ABSOLUTE entries only pad a page's block to four bytes.
string(REGEX MATCHALL "\n *Type: [A-Z_0-9]+" kinds "${listing}")
list(TRANSFORM kinds REPLACE ".*Type: " "")
list(REMOVE_ITEM kinds ABSOLUTE)
list(LENGTH kinds relocations)
list(REMOVE_DUPLICATES kinds)
foreach(kind IN LISTS kinds)
    if(NOT kind STREQUAL "HIGHLOW")
        list(APPEND faults "a base relocation of kind ${kind}, which the handset's loader skips")
    endif()
endforeach()
if(relocations EQUAL 0)
    list(APPEND faults "no base relocation: the image could not be moved")
endif()

# Import {  Name: coredll.dll ... Symbol: CreateWindowExW (0) ... }
kubrelse_read_handset_calls("${CALLS}" calls)
set(files "")
foreach(library IN LISTS calls_LIBRARIES)
    string(TOLOWER "${calls_FILE_${library}}" file)
    list(APPEND files "${file}")
    set(names_${file} ${calls_NAMES_${library}})
endforeach()
string(REGEX MATCHALL "Import {[^}]*}" imports "${listing}")
set(summary "")
set(count 0)
foreach(import IN LISTS imports)
    string(REGEX MATCH "Name: ([^\n]+)" _ "${import}")
    string(TOLOWER "${CMAKE_MATCH_1}" file)
    string(REGEX MATCHALL "Symbol: [A-Za-z_0-9]+" symbols "${import}")
    list(TRANSFORM symbols REPLACE "Symbol: " "")
    list(LENGTH symbols n)
    math(EXPR count "${count} + ${n}")
    list(APPEND summary "${n} from ${file}")
    if(NOT file IN_LIST files)
        list(APPEND faults "imports from ${file}, which the handset's list names no file for")
        continue()
    endif()
    foreach(symbol IN LISTS symbols)
        if(NOT symbol IN_LIST names_${file})
            list(APPEND faults "imports ${symbol} from ${file}, which the list does not put under it")
        endif()
    endforeach()
endforeach()
if(count EQUAL 0)
    list(APPEND faults "imports nothing")
endif()

# Every slot (__imp_<name>) is read by code: a relocation in .text names it.
execute_process(COMMAND "${READELF}" -sW -rW "${ELF}" OUTPUT_VARIABLE elf_listing RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${READELF} could not read ${ELF}")
endif()
string(REGEX MATCH "Relocation section '\\.rel\\.text'[^\n]*\n(([^\n]+\n)*)" _ "${elf_listing}")
string(REGEX MATCHALL "__imp_[A-Za-z_0-9]+" read_slots "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "[^\n]+ __imp_[A-Za-z_0-9]+\n" slots "${elf_listing}")
list(FILTER slots EXCLUDE REGEX "R_ARM_")
list(TRANSFORM slots REPLACE ".* (__imp_[A-Za-z_0-9]+)\n" "\\1")
foreach(slot IN LISTS slots)
    if(NOT slot IN_LIST read_slots)
        string(REPLACE "__imp_" "" name "${slot}")
        list(APPEND faults "imports ${name}, but no thunk reads its slot ${slot}: no code calls it")
    endif()
endforeach()

# The code as the processor meets it: no Thumb state, nothing after ARMv4T.
kubrelse_armv4t_faults("${ELF}" "${READELF}" "${OBJDUMP}" faults)

list(REMOVE_ITEM faults "")
if(faults)
    list(JOIN faults "\n  " report)
    message(FATAL_ERROR "${IMAGE} is not an image the handset would run:\n  ${report}")
endif()
file(SIZE "${IMAGE}" size)
string(REGEX MATCHALL "Name: \\.[a-z]+" sections "${listing}")
list(TRANSFORM sections REPLACE "Name: " "")
list(JOIN sections " " sections)
list(JOIN summary ", " summary)
message(STATUS "${IMAGE}: ${size} bytes (${sections}); ARM, handset GUI 3.00, base 0x10000; "
               "${relocations} HIGHLOW relocations; imports ${summary}; ARMv4T ARM code only")
