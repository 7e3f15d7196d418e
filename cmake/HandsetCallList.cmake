# kubrelse_read_handset_calls(<list file> <prefix>) reads the functions the
# handset offers the game (game/shell/handset_calls.txt): one name a line,
# its first word; "#" lines are comments; a line "[library file]" puts the
# names below it under that library of the handset, a line "[library]" under
# one the handset has not (a desktop build's own). Sets in the caller:
#   <prefix>_NAMES             every name, whatever its library
#   <prefix>_LIBRARIES         the libraries with a file, in the list's order
#   <prefix>_FILE_<library>    that library's file (coredll.dll)
#   <prefix>_NAMES_<library>   the names under it
# A name under no library, or named twice, stops with an error: the link
# could not tell which library to import it from.
function(kubrelse_read_handset_calls list prefix)
    file(STRINGS "${list}" lines)
    set(all "")
    set(libraries "")
    unset(library)
    foreach(line IN LISTS lines)
        if(line MATCHES "^\\[([A-Za-z0-9_]+)( +([^] ]+))? *\\]")
            set(library "${CMAKE_MATCH_1}")
            if(CMAKE_MATCH_3)
                list(APPEND libraries "${library}")
                set(${prefix}_FILE_${library} "${CMAKE_MATCH_3}" PARENT_SCOPE)
            endif()
        elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)")
            set(name "${CMAKE_MATCH_1}")
            if(NOT DEFINED library)
                message(FATAL_ERROR "${list}: ${name} stands under no library")
            endif()
            if(name IN_LIST all)
                message(FATAL_ERROR "${list}: ${name} is named twice")
            endif()
            list(APPEND all "${name}")
            list(APPEND names_${library} "${name}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES libraries)
    foreach(library IN LISTS libraries)
        set(${prefix}_NAMES_${library} "${names_${library}}" PARENT_SCOPE)
    endforeach()
    set(${prefix}_NAMES "${all}" PARENT_SCOPE)
    set(${prefix}_LIBRARIES "${libraries}" PARENT_SCOPE)
endfunction()
