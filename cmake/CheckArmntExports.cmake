# ctest check: the Wine-side core and shell libraries (handset-wine) export
# every name the list of the handset's calls puts under them, so no import
# of the image is left unbound, from an export directory Wine's loader can
# read under qemu-arm.
#   cmake -DCALLS=<handset_calls.txt> -DREADOBJ=<llvm-readobj>
#         -DDLLS=<dir with coredll.dll and aygshell.dll> -P CheckArmntExports.cmake
cmake_policy(SET CMP0057 NEW)
include(${CMAKE_CURRENT_LIST_DIR}/HandsetCallList.cmake)
kubrelse_read_handset_calls(${CALLS} calls)
set(missing "")
foreach(library IN LISTS calls_LIBRARIES)
    set(dll ${DLLS}/${calls_FILE_${library}})
    execute_process(COMMAND ${READOBJ} --coff-exports ${dll} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot read the exports of ${dll}")
    endif()
    # The export directory 4-byte aligned: Wine's loader reads it with
    # aligned loads, which fault under qemu-arm (export_alignment.cpp).
    execute_process(COMMAND ${READOBJ} --file-headers ${dll} OUTPUT_VARIABLE headers)
    if(NOT headers MATCHES "ExportTableRVA: 0x[0-9A-F]*[048C]\n")
        message(FATAL_ERROR "${dll}: the export directory is not 4-byte aligned")
    endif()
    string(REGEX MATCHALL "Name: [A-Za-z0-9_]+" exported "${dump}")
    list(TRANSFORM exported REPLACE "Name: " "")
    set(lacking "")
    foreach(name IN LISTS calls_NAMES_${library})
        if(NOT name IN_LIST exported)
            list(APPEND lacking "${calls_FILE_${library}}: ${name}")
        endif()
    endforeach()
    list(LENGTH calls_NAMES_${library} count)
    if(NOT lacking)
        message("${calls_FILE_${library}}: all ${count} names of the list exported")
    endif()
    list(APPEND missing ${lacking})
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "names of the list missing from the DLLs:\n  ${missing}")
endif()
