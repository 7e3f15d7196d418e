# cmake -DCABINET=<cab> -DIMAGE=<exe> -DREADER=<ce-setup> -DCABEXTRACT=<cabextract>
#       -DWORK=<scratch folder> -P CheckHandsetCabinet.cmake
# Reads the handset's cabinet back as the handset's installer would take it
# and fails unless
# - Debian's cabextract lists the setup descriptor KUBRELSE.000 and the
#   program KUBRELSE.001, in that order, stored without compression;
# - the descriptor, read back by ce-setup, installs KubrelSE by Nolvo
#   Systems Inc. on ARM (2577) under CE 3.0 and later, puts KUBRELSE.001 as
#   kubrelse.exe in \Program Files\KubrelSE (%CE1%), makes the shortcut
#   KubrelSE to it in the Start menu's games folder (%CE14%) and writes
#   nothing to the registry;
# - KUBRELSE.001 is byte for byte the handset's image.
# On success it prints the cabinet's size and the descriptor as read.
cmake_minimum_required(VERSION 3.21)

set(faults "")
execute_process(COMMAND "${CABEXTRACT}" --list "${CABINET}" OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
string(REGEX MATCHALL "\\| [^|\n]+\n" members "${listing}")
list(TRANSFORM members REPLACE "^\\| |\n$" "")
list(REMOVE_ITEM members "Name")
if(failed OR NOT members STREQUAL "KUBRELSE.000;KUBRELSE.001")
    list(JOIN members ", " members)
    list(APPEND faults "cabextract lists '${members}', not KUBRELSE.000 then KUBRELSE.001")
endif()
# The header (36 bytes, no reserved space: flags at 30) and the one folder's
# compression (at 42): 0, stored.
file(READ "${CABINET}" head LIMIT 44 HEX)
string(SUBSTRING "${head}" 60 4 flags)
string(SUBSTRING "${head}" 84 4 compression)
if(NOT flags STREQUAL "0000" OR NOT compression STREQUAL "0000")
    list(APPEND faults "header flags ${flags}, compression ${compression}: not a plain cabinet stored as is")
endif()

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CABEXTRACT}" --quiet --directory "${WORK}" "${CABINET}" RESULT_VARIABLE failed)
execute_process(COMMAND "${READER}" --read "${WORK}/KUBRELSE.000" OUTPUT_VARIABLE descriptor
                ERROR_VARIABLE errors RESULT_VARIABLE unread)
set(expected "application: KubrelSE
provider: Nolvo Systems Inc.
processor: 2577
versions: 3.0 and later
unsupported platforms: none
folder 1: %CE1%\\KubrelSE
file 1: kubrelse.exe in folder 1, flags 0x40000002
registry: 0 hives, 0 values
shortcut 1: %CE14%\\KubrelSE to file 1
")
if(failed OR unread OR NOT descriptor STREQUAL expected)
    list(APPEND faults "the setup descriptor reads\n${descriptor}${errors}not\n${expected}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/KUBRELSE.001" "${IMAGE}" RESULT_VARIABLE differs)
if(differs)
    list(APPEND faults "KUBRELSE.001 is not the handset's image ${IMAGE}")
endif()

if(faults)
    list(JOIN faults "\n  " report)
    message(FATAL_ERROR "${CABINET} is not the cabinet the handset's installer needs:\n  ${report}")
endif()
file(SIZE "${CABINET}" size)
message(STATUS "${CABINET}: ${size} bytes, stored; KUBRELSE.000, KUBRELSE.001 (the image); the descriptor reads\n"
               "${descriptor}")
