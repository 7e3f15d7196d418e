# cmake -DMAP=<linker map> "-DNAMES=<function>;..." -P CheckNotLinked.cmake
# Fails when the program the map describes carries the code of any of the
# named functions: what only the tests call stays out of what is handed
# out. Each function is compiled into a section of its own (.text$<mangled
# name> or .text.<mangled name>), which the linker either drops, listing it
# among the discarded input sections, or places in the memory map below.
cmake_minimum_required(VERSION 3.21)

file(STRINGS "${MAP}" lines)
set(placed FALSE)
set(found "")
foreach(line IN LISTS lines)
    if(line MATCHES "^Linker script and memory map")
        set(placed TRUE)
    elseif(placed AND line MATCHES "^ \\.text[.$]_Z[0-9]+([A-Za-z_][A-Za-z0-9_]*)")
        set(name "${CMAKE_MATCH_1}")
        foreach(wanted IN LISTS NAMES)
            string(FIND "${name}" "${wanted}" at)
            if(at EQUAL 0)
                list(APPEND found ${wanted})
            endif()
        endforeach()
    endif()
endforeach()
if(NOT placed)
    message(FATAL_ERROR "${MAP} has no memory map")
endif()
if(found)
    list(REMOVE_DUPLICATES found)
    message(FATAL_ERROR "${MAP}: the program carries what only the tests call: ${found}")
endif()
message(STATUS "none of ${NAMES} is linked in")
