# cmake -DLINKER=<lld-link> -DREADOBJ=<llvm-readobj> -DOBJECTS=<response file>
#       -DRESOURCES=<object> -DIMPORT_LIBRARIES=<lib>... -DCALLS=<list>
#       -DIMAGE=<exe> -P CheckHandsetLink.cmake
# Links the handset's program for 32-bit ARM (Thumb-2) from the game's
# objects, its resources and the import libraries made from CALLS, with no
# C or C++ library of the compiler, and fails
# - naming each symbol that nothing resolves, and who asks for it;
# - when the image imports from a library that CALLS does not name, or a
#   name that CALLS does not list under that library;
# - when it holds static constructors (.ctors, .CRT): no C runtime is
#   linked, so nothing would ever run them.
# The entry point is WinMain itself: the handset's system calls a program's
# entry with WinMain's four arguments. The linker knows no subsystem of the
# handset's own; the image is marked as a GUI program.
cmake_minimum_required(VERSION 3.21)
include(${CMAKE_CURRENT_LIST_DIR}/HandsetCallList.cmake)

execute_process(
    COMMAND "${LINKER}" /nologo /machine:arm /subsystem:windows /entry:WinMain /nodefaultlib /errorlimit:0
            "/out:${IMAGE}" "@${OBJECTS}" "${RESOURCES}" ${IMPORT_LIBRARIES}
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
if(failed)
    # lld-link: error: undefined symbol: NAME
    # >>> referenced by /build/.../main_window.cpp.obj:(function)
    string(REGEX MATCHALL "undefined symbol: [^\n]+(\n>>> referenced by [^\n]+)*" undefined "${output}")
    set(report "")
    foreach(entry IN LISTS undefined)
        string(REGEX MATCH "undefined symbol: ([^\n]+)" _ "${entry}")
        set(name "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "[^/]+\\.obj" users "${entry}")
        list(TRANSFORM users REPLACE "\\.obj$" "")
        list(REMOVE_DUPLICATES users)
        list(JOIN users ", " users)
        list(APPEND report "${name}  (asked for by ${users})")
    endforeach()
    if(report)
        list(JOIN report "\n  " report)
        message(FATAL_ERROR "The game does not link for the handset. Not resolved:\n  ${report}")
    endif()
    message(FATAL_ERROR "${LINKER} failed:\n${output}")
endif()

# The imports, as llvm-readobj lists them:
#   Import {
#     Name: coredll.dll
#     ...
#     Symbol: CreateWindowExW (0)
execute_process(COMMAND "${READOBJ}" --coff-imports --sections "${IMAGE}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${READOBJ} could not read ${IMAGE}")
endif()
kubrelse_read_handset_calls("${CALLS}" calls)
set(offered "")
foreach(library IN LISTS calls_LIBRARIES)
    list(APPEND offered "${calls_FILE_${library}}")
    set(names_${calls_FILE_${library}} "${calls_NAMES_${library}}")
endforeach()

# (Read by patterns, not as a list of lines: its "[" would join them.)
set(faults "")
set(summary "")
set(count 0)
string(REGEX MATCHALL "Import {[^}]*}" imports "${listing}")
foreach(import IN LISTS imports)
    string(REGEX MATCH "Name: ([^\n]+)" _ "${import}")
    set(dll "${CMAKE_MATCH_1}")
    list(APPEND summary "${dll}")
    string(REGEX MATCHALL "Symbol: [^ \n]+" symbols "${import}")
    list(TRANSFORM symbols REPLACE "^Symbol: " "")
    list(LENGTH symbols n)
    math(EXPR count "${count} + ${n}")
    if(NOT dll IN_LIST offered)
        list(APPEND faults "imports from ${dll}, which is none of the handset's libraries in ${CALLS}")
        continue()
    endif()
    foreach(symbol IN LISTS symbols)
        if(NOT symbol IN_LIST names_${dll})
            list(APPEND faults "imports ${symbol} from ${dll}, which does not list it there")
        endif()
    endforeach()
endforeach()
string(REGEX MATCHALL "\n *Name: \\.(ctors|dtors|CRT)[^ \n]*" constructors "${listing}")
foreach(section IN LISTS constructors)
    string(REGEX REPLACE ".*Name: " "" section "${section}")
    list(APPEND faults "holds static constructors (${section}), which no C runtime will run")
endforeach()
if(count EQUAL 0)
    list(APPEND faults "imports nothing: is ${READOBJ} reading it?")
endif()
if(faults)
    list(JOIN faults "\n  " faults)
    message(FATAL_ERROR "${IMAGE}:\n  ${faults}")
endif()
file(SIZE "${IMAGE}" size)
list(REMOVE_DUPLICATES summary)
list(JOIN summary " and " summary)
message(STATUS "${IMAGE}: ${size} bytes, every symbol resolved; "
               "${count} functions imported, all on the list, from ${summary}")
