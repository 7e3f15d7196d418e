# kubrelse_delay_load(<target> <dll> <function>@<argument bytes>...)
# links <target> with a delay-loaded import library of <dll> holding the
# named functions: the DLL is loaded at the first call of one of them, not
# while the program starts, and the calls in the code stay as they are. The
# argument bytes make the x86 (stdcall) symbol names. Link it before any
# other library that imports the same functions.
function(kubrelse_delay_load target dll)
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
