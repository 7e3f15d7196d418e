# kubrelse_handset_calls_check(<target>... CALLS <list file> [SKIP <source>...])
# registers a ctest check (label handset) that the objects of the targets,
# but for those of the SKIP sources, call nothing beyond themselves that the
# CALLS list does not name, and use nothing of the C++ library
# (cmake/CheckHandsetCalls.cmake, which reads them with CMAKE_NM).
function(kubrelse_handset_calls_check)
    cmake_parse_arguments(ARG "" "CALLS" "SKIP" ${ARGN})
    set(objects "")
    foreach(target IN LISTS ARG_UNPARSED_ARGUMENTS)
        list(APPEND objects "$<TARGET_OBJECTS:${target}>")
    endforeach()
    set(listing ${CMAKE_CURRENT_BINARY_DIR}/handset_calls_objects.txt)
    file(GENERATE OUTPUT ${listing} CONTENT "$<JOIN:${objects},\n>\n")
    set(skip "")
    foreach(source IN LISTS ARG_SKIP)
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
        list(APPEND skip ${relative})
    endforeach()
    # x86 names carry a leading underscore, and stdcall ones @<argument bytes>.
    set(decorated 0)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
        set(decorated 1)
    endif()
    add_test(NAME handset.calls
             COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DCALLS=${ARG_CALLS} -DOBJECTS=${listing}
                     -DBUILD_ROOT=${PROJECT_BINARY_DIR} "-DSKIP=${skip}" -DDECORATED=${decorated}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckHandsetCalls.cmake)
    set_tests_properties(handset.calls PROPERTIES LABELS handset)
endfunction()

# kubrelse_handset_abi_check(<target> CALLS <list file>) compiles into the
# handset build's <target> one static_assert for each function the list
# puts under a library with a file: that it takes and returns no structure
# and no 64-bit value by value (game/shell/handset/handset_abi.h).
function(kubrelse_handset_abi_check target)
    cmake_parse_arguments(ARG "" "CALLS" "" ${ARGN})
    include(HandsetCallList)
    kubrelse_read_handset_calls(${ARG_CALLS} calls)
    set(text "// Written by cmake/HandsetCalls.cmake from the list of the handset's calls.\n")
    string(APPEND text "#include \"handset/handset_abi.h\"\n\n")
    foreach(library IN LISTS calls_LIBRARIES)
        foreach(name IN LISTS calls_NAMES_${library})
            string(APPEND text "static_assert(handsetAbi(&${name}), \"${name}: a structure or a 64-bit value \"\n"
                               "              \"by value, which the handset passes otherwise\");\n")
        endforeach()
    endforeach()
    set(file ${CMAKE_CURRENT_BINARY_DIR}/handset_abi_check.cpp)
    file(WRITE ${file}.new "${text}")
    configure_file(${file}.new ${file} COPYONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_CALLS})
    target_sources(${target} PRIVATE ${file})
endfunction()
