# The handset's program linked for its 32-bit ARM, with the LLVM the game's
# code is compiled with: the handset build's own step, never run here.
#
# kubrelse_handset_link(<image> TARGETS <target>... RESOURCES <object library>
#                       CALLS <list file>)
# - makes at build time, with llvm-dlltool, one import library for each
#   library of the handset that the CALLS list names (its "[core coredll.dll]"
#   lines, cmake/HandsetCallList.cmake), exporting exactly the names under it;
# - turns the RESOURCES library's compiled script into an ARM object with
#   llvm-cvtres;
# - registers the ctest check handset.link (label handset,
#   cmake/CheckHandsetLink.cmake): lld-link links the TARGETS' objects, the
#   resources and those import libraries, and nothing else, into <image>
#   in this folder; the check fails on any name that does not resolve, and
#   reads the image's imports back against the list.
include(HandsetCallList)

function(kubrelse_handset_link image)
    cmake_parse_arguments(ARG "" "RESOURCES;CALLS" "TARGETS" ${ARGN})
    # The linker and its tools from the compiler's own LLVM.
    get_filename_component(llvm_bin ${CMAKE_CXX_COMPILER} REALPATH)
    get_filename_component(llvm_bin ${llvm_bin} DIRECTORY)
    foreach(tool lld-link llvm-dlltool llvm-cvtres llvm-readobj)
        string(MAKE_C_IDENTIFIER "KUBRELSE_${tool}" var)
        string(TOUPPER ${var} var)
        find_program(${var} ${tool} HINTS ${llvm_bin} REQUIRED)
    endforeach()

    set(dir ${CMAKE_CURRENT_BINARY_DIR}/handset)
    kubrelse_read_handset_calls(${ARG_CALLS} calls)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_CALLS})
    set(import_libraries "")
    foreach(library IN LISTS calls_LIBRARIES)
        set(dll ${calls_FILE_${library}})
        get_filename_component(stem ${dll} NAME_WE)
        list(JOIN calls_NAMES_${library} "\n" exports)
        file(CONFIGURE OUTPUT ${dir}/${stem}.def CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n" @ONLY)
        add_custom_command(
            OUTPUT ${dir}/${stem}.lib
            COMMAND ${KUBRELSE_LLVM_DLLTOOL} -m arm -d ${stem}.def -l ${stem}.lib
            DEPENDS ${dir}/${stem}.def
            WORKING_DIRECTORY ${dir}
            COMMENT "Import library of the handset's ${library} library (${dll})"
            VERBATIM)
        list(APPEND import_libraries ${dir}/${stem}.lib)
    endforeach()

    add_custom_command(
        OUTPUT ${dir}/resources.obj
        COMMAND ${KUBRELSE_LLVM_CVTRES} /machine:arm /out:${dir}/resources.obj
                $<TARGET_OBJECTS:${ARG_RESOURCES}>
        DEPENDS $<TARGET_OBJECTS:${ARG_RESOURCES}>
        COMMENT "The game's resources as an ARM object"
        VERBATIM)
    add_custom_target(kubrelse_handset_link_inputs ALL DEPENDS ${import_libraries} ${dir}/resources.obj)

    set(objects "")
    foreach(target IN LISTS ARG_TARGETS)
        list(APPEND objects "$<TARGET_OBJECTS:${target}>")
    endforeach()
    file(GENERATE OUTPUT ${dir}/objects.rsp CONTENT "\"$<JOIN:${objects},\"\n\">\"\n")
    add_test(NAME handset.link
             COMMAND ${CMAKE_COMMAND} -DLINKER=${KUBRELSE_LLD_LINK} -DREADOBJ=${KUBRELSE_LLVM_READOBJ}
                     -DOBJECTS=${dir}/objects.rsp -DRESOURCES=${dir}/resources.obj
                     "-DIMPORT_LIBRARIES=${import_libraries}" -DCALLS=${ARG_CALLS} -DIMAGE=${dir}/${image}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckHandsetLink.cmake)
    set_tests_properties(handset.link PROPERTIES LABELS handset)
endfunction()
