# The Windows programs are kept small: optimised for size, no exception or
# type tables, and every function in a section of its own, so the linker
# drops whatever nothing calls. Not -fdata-sections: MinGW's linker script
# takes only plain .bss into .bss, so zero-filled data in sections of its
# own would be stored in the file as initialised data (setup.exe's path
# buffers grew it to 370 KB). Native builds keep their own flags.
function(kubrelse_lean target)
    if(NOT WIN32)
        return()
    endif()
    target_compile_options(${target} PRIVATE -Os -ffunction-sections -fno-exceptions -fno-rtti)
    # x86 keeps no unwind tables for code that throws nothing (x64 keeps
    # its own, which Windows' stack walks use).
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
    endif()
endfunction()

# kubrelse_size_budget(<target> BYTES <win32 budget> <win64 budget>
#                      [IMPORTS <function>...] [NO_IMPORT <regex>])
# registers a ctest check (label size) that the built program stays within
# its budget for this processor and that its import table names every
# IMPORTS function and nothing that matches NO_IMPORT.
function(kubrelse_size_budget target)
    if(KUBRELSE_HANDSET_OBJECTS)  # compiled only: there is no program
        return()
    endif()
    cmake_parse_arguments(ARG "" "NO_IMPORT" "BYTES;IMPORTS" ${ARGN})
    list(GET ARG_BYTES 0 budget)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        list(GET ARG_BYTES 1 budget)
    endif()
    add_test(NAME size.${target}
             COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DBUDGET=${budget}
                     -DOBJDUMP=${CMAKE_OBJDUMP} "-DIMPORTS=${ARG_IMPORTS}" "-DNO_IMPORT=${ARG_NO_IMPORT}"
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckProgram.cmake)
    set_tests_properties(size.${target} PROPERTIES LABELS size)
endfunction()
