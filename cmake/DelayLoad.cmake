# kubrelse_delay_load(<target> <dll> <function>@<argument bytes>...)
# links <target> with a delay-loaded import library of <dll> holding the
# named functions: the DLL is loaded at the first call of one of them, not
# while the program starts, and the calls in the code stay as they are. The
# argument bytes make the x86 (stdcall) symbol names. Link it before any
# other library that imports the same functions.
#
# Each function's import slot starts out pointing at its stub in the
# library, which loads the DLL and fills the slot in. Code compiled against
# the system's headers calls through the slot and never names the stub, and
# the x86 linker drops the code of import-library members whose stub nobody
# names: the slot would then start out 0 and the first call would jump to
# address 0. So every stub is named to the linker as needed. A ctest check
# (label size, cmake/CheckDelayImports.cmake) reads the linked program and
# fails when any delay-import slot does not point into the program's code;
# cmake/tests holds its own check.
function(kubrelse_delay_load target dll)
    kubrelse_delay_library(${target} ${dll} ${ARGN})
    foreach(function IN LISTS ARGN)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+$" "" function ${function})
            target_link_options(${target} PRIVATE "LINKER:--undefined=${function}")
        else()
            target_link_options(${target} PRIVATE "LINKER:--undefined=_${function}")
        endif()
    endforeach()
    kubrelse_delay_imports_check(${target} ${dll} delay_imports.${target})
endfunction()

# kubrelse_delay_library(<target> <dll> <function>@<argument bytes>...)
# links <target> with the delay-loaded import library alone, no stub named.
function(kubrelse_delay_library target dll)
    string(MAKE_C_IDENTIFIER ${dll} id)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${id}_delay.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${id}_delay.a)
    set(exports "")
    foreach(function IN LISTS ARGN)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+$" "" function ${function})
        endif()
        string(APPEND exports "    ${function}\n")
    endforeach()
    file(GENERATE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}")
    # x86: the symbols keep their @<bytes>, the names looked up in the DLL do not.
    set(kill_at "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(kill_at --kill-at)
    endif()
    add_custom_command(
        OUTPUT ${lib}
        COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} ${kill_at} --output-delaylib ${lib}
        DEPENDS ${def}
        COMMENT "Delay-loaded import library of ${dll}"
        VERBATIM)
    add_custom_target(${target}_${id}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${id}_delay)
    target_link_libraries(${target} PRIVATE ${lib})
endfunction()

# kubrelse_delay_imports_check(<target> <dll> <test name>) registers the
# check of <target>'s delay-import slots of <dll>; the linker's map names
# where each delay-import descriptor went.
function(kubrelse_delay_imports_check target dll test)
    set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
    target_link_options(${target} PRIVATE "LINKER:-Map=${map}")
    add_test(NAME ${test}
             COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DMAP=${map} -DDLL=${dll}
                     -DOBJDUMP=${CMAKE_OBJDUMP} -P ${PROJECT_SOURCE_DIR}/cmake/CheckDelayImports.cmake)
    set_tests_properties(${test} PROPERTIES LABELS size)
endfunction()
