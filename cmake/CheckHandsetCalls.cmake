# cmake -DNM=<nm> -DCALLS=<list> -DOBJECTS=<file naming one object a line>
#       -DBUILD_ROOT=<build tree> [-DSKIP=<source>...] [-DDECORATED=1]
#       -P CheckHandsetCalls.cmake
# Fails, naming the source file and the function, when an object
# - imports a function (__imp_Name) that CALLS does not name,
# - calls a C function that none of the objects defines and CALLS does not
#   name (the C library's and the compiler's helpers), or
# - holds or calls anything of the C++ library: operator new or delete,
#   std::, __cxa_*, _Unwind_*, the exception personality.
# Functions with C++ names that none of the objects defines are the
# program's own from elsewhere (the desktop handset layer's); they are
# listed, not judged. CALLS: read by cmake/HandsetCallList.cmake; every name
# on it counts, whatever its library. SKIP: sources (relative to the source
# tree) left out.
# DECORATED: x86 names as GNU nm -C shows them, _imp__Name@N and Name@N.
cmake_minimum_required(VERSION 3.21)

include(${CMAKE_CURRENT_LIST_DIR}/HandsetCallList.cmake)
kubrelse_read_handset_calls("${CALLS}" calls)
list(JOIN calls_NAMES "\n" offered)
set(offered "\n${offered}\n")

file(STRINGS "${OBJECTS}" objects)
set(cxx_library "std::|__gnu_cxx::|__cxxabiv1::|^operator (new|delete)|__cxa_|_Unwind_|__gxx_personality")

# The source an object was compiled from: <dir>/CMakeFiles/<target>.dir/<file>.obj
# in the build tree is <dir>/<file> in the source tree.
function(source_of object var)
    string(LENGTH "${BUILD_ROOT}/" length)
    string(SUBSTRING "${object}" ${length} -1 relative)
    string(REGEX REPLACE "CMakeFiles/[^/]+\\.dir/(\\./)?" "" relative "${relative}")
    string(REGEX REPLACE "\\.(obj|o)$" "" relative "${relative}")
    set(${var} "${relative}" PARENT_SCOPE)
endfunction()

# Every object's symbols: what it defines (for all of them together) and
# what it refers to (per object).
set(defined "\n")
set(checked "")
set(faults "")
set(symbols 0)
foreach(object IN LISTS objects)
    source_of("${object}" source)
    if(source IN_LIST SKIP)
        continue()
    endif()
    if(NOT EXISTS "${object}")
        message(FATAL_ERROR "${object} is missing: build first")
    endif()
    execute_process(COMMAND "${NM}" -C "${object}" OUTPUT_VARIABLE listing ERROR_VARIABLE errors
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${NM} could not read ${object}: ${errors}")
    endif()
    list(APPEND checked "${source}")
    set(refs_${source} "")
    string(REGEX MATCHALL "[^\n]+" listing "${listing}")
    foreach(line IN LISTS listing)
        if(NOT line MATCHES "^[0-9a-fA-F]* *([A-Za-z?-]) (.+)$")
            continue()
        endif()
        set(type "${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
        math(EXPR symbols "${symbols} + 1")
        if(name MATCHES "${cxx_library}")
            list(APPEND faults "${source}: ${name} is the C++ library's, which the handset has not")
        elseif(type STREQUAL "U" OR type STREQUAL "w")
            list(APPEND refs_${source} "${name}")
        else()
            string(APPEND defined "${name}\n")
        endif()
    endforeach()
endforeach()
if(NOT checked OR symbols EQUAL 0)
    message(FATAL_ERROR "no symbols read from the objects listed in ${OBJECTS}")
endif()

set(imports 0)
set(elsewhere "")
foreach(source IN LISTS checked)
    foreach(name IN LISTS refs_${source})
        string(FIND "${defined}" "\n${name}\n" found)
        if(NOT found EQUAL -1)
            continue()
        endif()
        if(name MATCHES "^_?_imp_(.+)$")
            set(function "${CMAKE_MATCH_1}")
            if(DECORATED)
                string(REGEX REPLACE "^_" "" function "${function}")
            endif()
        elseif(name MATCHES "[(:]")
            string(REGEX REPLACE "\\(.*" "" function "${name}")
            list(APPEND elsewhere "${function}")
            continue()
        else()
            set(function "${name}")
        endif()
        if(DECORATED)
            string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
        endif()
        string(FIND "${offered}" "\n${function}\n" found)
        if(found EQUAL -1)
            list(APPEND faults "${source}: ${function} is not a function the handset offers (${CALLS})")
        else()
            math(EXPR imports "${imports} + 1")
        endif()
    endforeach()
endforeach()
if(imports EQUAL 0)
    message(FATAL_ERROR "no call of a function the handset offers found in the objects: is ${NM} reading them?")
endif()

if(faults)
    list(REMOVE_DUPLICATES faults)
    list(JOIN faults "\n  " report)
    message(FATAL_ERROR "The game's code reaches beyond what the handset offers:\n  ${report}")
endif()
list(LENGTH checked count)
list(REMOVE_DUPLICATES elsewhere)
list(JOIN elsewhere ", " elsewhere)
if(elsewhere)
    set(elsewhere "; calls into the program's other code: ${elsewhere}")
endif()
message(STATUS "${count} objects: every function they call beyond themselves is offered by the handset${elsewhere}")
