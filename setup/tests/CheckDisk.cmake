# cmake -DSOURCE=<project> -DBUILD=<Windows build> -DHANDSET=<handset-arm build>
#       -DDISK=<folder> -P CheckDisk.cmake
# Lays out the disk that is handed out (tools/lay-out-disk) in DISK and
# reads it back: the six files and nothing else, every text with Windows
# line ends and no @NAME@ left unfilled; SETUP.INF names the ARM
# installation file alone (no MIPS or SH3 value, which would name the
# launcher's folder or a missing file); the installation file is the
# Application Manager's, names its component and the cabinet that lies
# beside it; the cabinet is the handset build's.
cmake_minimum_required(VERSION 3.21)
execute_process(COMMAND "${SOURCE}/tools/lay-out-disk" "${BUILD}" "${HANDSET}" "${DISK}" "Tested here."
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "tools/lay-out-disk refused the disk")
endif()

set(faults "")
file(GLOB files RELATIVE "${DISK}" "${DISK}/*")
list(SORT files)
if(NOT files STREQUAL "KubrelSE-desktop.exe;KubrelSE.ARM.CAB;KubrelSE.ARM.ini;README.TXT;SETUP.EXE;SETUP.INF")
    list(APPEND faults "the disk holds ${files}")
endif()
# Read as text, a CR LF comes as a LF; the bytes tell the line ends.
foreach(text IN ITEMS SETUP.INF KubrelSE.ARM.ini README.TXT)
    file(READ "${DISK}/${text}" ${text})
    file(READ "${DISK}/${text}" bytes HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
    string(REPLACE "0d 0a " "" bytes "${bytes}")
    if(bytes MATCHES "0[ad] " OR ${text} MATCHES "@[A-Z_]+@")
        list(APPEND faults "${text} has a line end other than CR LF, or a value left unfilled")
    endif()
endforeach()
if(NOT SETUP.INF MATCHES "\nARM=KubrelSE.ARM.ini\n" OR SETUP.INF MATCHES "\n(MIPS|SH3)=")
    list(APPEND faults "SETUP.INF does not name the ARM installation file alone:\n${SETUP.INF}")
endif()
if(NOT KubrelSE.ARM.ini MATCHES "^\\[CEAppManager\\]\nVersion=1.0\nComponent=KubrelSE\n\n\\[KubrelSE\\]\n"
   OR NOT KubrelSE.ARM.ini MATCHES "\nDescription=[^\n]+\nCabFiles=KubrelSE.ARM.CAB\n$")
    list(APPEND faults "KubrelSE.ARM.ini is not the Application Manager's file for the cabinet beside it:\n"
                       "${KubrelSE.ARM.ini}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${DISK}/KubrelSE.ARM.CAB"
                        "${HANDSET}/handset/KubrelSE.ARM.CAB" RESULT_VARIABLE differs)
if(differs)
    list(APPEND faults "the disk's cabinet is not the handset build's")
endif()
if(faults)
    list(JOIN faults "\n  " report)
    message(FATAL_ERROR "${DISK} is not the disk to hand out:\n  ${report}")
endif()
