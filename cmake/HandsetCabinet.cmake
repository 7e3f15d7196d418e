# The handset's CE cabinet: what the Application Manager hands to the
# handset's installer (docs/launcher.md, "The handset's cabinet").
#
# kubrelse_handset_cabinet(<cabinet> IMAGE <image> DESCRIPTION <file>)
# - builds tools/ce-setup for the build machine;
# - writes, in cabinet/ beside <image>, the setup descriptor that
#   DESCRIPTION describes and a copy of each file it installs (taken from
#   beside <image>) under its name in the cabinet, and packs them with
#   Debian's gcab into <cabinet> beside <image>: the descriptor first, the
#   files from the highest number down, stored without compression;
# - registers the ctest check handset.cab (cmake/CheckHandsetCabinet.cmake).
#
# Run as a script, it packs the cabinet:
#   cmake -DTOOL=<ce-setup> -DDESCRIPTION=<file> -DFROM=<dir> -DSTAGE=<dir>
#         -DGCAB=<gcab> -DCABINET=<file> -P HandsetCabinet.cmake
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    file(REMOVE_RECURSE "${STAGE}")
    file(REMOVE "${CABINET}")
    execute_process(COMMAND "${TOOL}" "${DESCRIPTION}" --in "${FROM}" --out "${STAGE}"
                    OUTPUT_VARIABLE members RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "ce-setup refused ${DESCRIPTION}")
    endif()
    string(STRIP "${members}" members)
    string(REPLACE "\n" ";" members "${members}")
    execute_process(COMMAND "${GCAB}" --create --nopath "${CABINET}" ${members} RESULT_VARIABLE failed)
    if(failed)
        file(REMOVE "${CABINET}")
        message(FATAL_ERROR "gcab could not pack ${CABINET}")
    endif()
    return()
endif()

include(ExternalProject)

function(kubrelse_handset_cabinet cabinet)
    cmake_parse_arguments(ARG "" "IMAGE;DESCRIPTION" "" ${ARGN})
    find_program(KUBRELSE_GCAB gcab REQUIRED)
    find_program(KUBRELSE_CABEXTRACT cabextract REQUIRED)

    set(host ${CMAKE_BINARY_DIR}/host/ce-setup)
    ExternalProject_Add(ce_setup_host
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/ce-setup
        BINARY_DIR ${host}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKUBRELSE_BUILD_TESTS=OFF
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${host}/ce-setup
        USES_TERMINAL_BUILD OFF)

    get_filename_component(dir ${ARG_IMAGE} DIRECTORY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_DESCRIPTION})
    add_custom_command(
        OUTPUT ${dir}/${cabinet}
        COMMAND ${CMAKE_COMMAND} -DTOOL=${host}/ce-setup -DDESCRIPTION=${ARG_DESCRIPTION} -DFROM=${dir}
                -DSTAGE=${dir}/cabinet -DGCAB=${KUBRELSE_GCAB} -DCABINET=${dir}/${cabinet}
                -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        DEPENDS ${ARG_IMAGE} ${ARG_DESCRIPTION} ce_setup_host ${host}/ce-setup ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        COMMENT "The handset's CE cabinet ${cabinet}"
        VERBATIM)
    add_custom_target(kubrelse_handset_cabinet ALL DEPENDS ${dir}/${cabinet})

    add_test(NAME handset.cab
             COMMAND ${CMAKE_COMMAND} -DCABINET=${dir}/${cabinet} -DIMAGE=${ARG_IMAGE} -DREADER=${host}/ce-setup
                     -DCABEXTRACT=${KUBRELSE_CABEXTRACT} -DWORK=${dir}/cabinet-check
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckHandsetCabinet.cmake)
    set_tests_properties(handset.cab PROPERTIES LABELS handset)
endfunction()
