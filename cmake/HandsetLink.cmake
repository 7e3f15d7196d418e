# The handset's program: the game's ARM objects linked by GNU ld for ARM and
# turned into the handset's program form by tools/ce-image.
#
# kubrelse_handset_link(<image> TARGETS <target>... RESOURCES <object library>
#                       CALLS <list file>)
# - writes, from the CALLS list (cmake/HandsetCallList.cmake), for each
#   name under a library with a file a thunk of that name that jumps
#   through its import slot (ldr ip, =slot; ldr pc, [ip]: ARM code an
#   ARMv4T runs, with no interworking) and the slot, each in a section of
#   its own, and assembles them; and the linker script's lines that put
#   each library's slots in one array ending in a zero word
#   (handset_imports.ld, included by the script);
# - links the TARGETS' objects, the thunks and the ARMv4T libgcc (for the
#   helpers listed under [compiler]) with game/shell/handset/handset.ld,
#   keeping the relocations (--emit-relocs), into <image>.elf; a name that
#   nothing resolves stops the build there. Unused sections are dropped
#   (--gc-sections): a thunk that no code calls, and with it its slot, so
#   the image imports only names that some code calls;
# - writes <image> with tools/ce-image, built for the build machine: the
#   handset's ARM image with the RESOURCES' compiled script as its
#   resources, each R_ARM_ABS32 as a base relocation, and the slots as the
#   imports of their libraries;
# - registers the ctest check handset.image (cmake/CheckHandsetImage.cmake).
include(ExternalProject)
include(HandsetCallList)
include(HandsetFlags)

function(kubrelse_handset_link image)
    cmake_parse_arguments(ARG "" "RESOURCES;CALLS" "TARGETS" ${ARGN})
    kubrelse_find_handset_tools()
    find_program(KUBRELSE_LLVM_READOBJ llvm-readobj REQUIRED)

    # The image maker, for the build machine.
    set(host ${CMAKE_BINARY_DIR}/host/ce-image)
    set(maker ${host}/ce-image)
    ExternalProject_Add(ce_image_host
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/ce-image
        BINARY_DIR ${host}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKUBRELSE_BUILD_TESTS=OFF
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${maker}
        USES_TERMINAL_BUILD OFF)

    # The thunks and slots.
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/handset)
    kubrelse_read_handset_calls(${ARG_CALLS} calls)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_CALLS})
    set(thunks "    .syntax unified\n    .arm\n")
    set(arrays "")
    foreach(library IN LISTS calls_LIBRARIES)
        foreach(name IN LISTS calls_NAMES_${library})
            string(APPEND thunks "    .section .text.${name},\"ax\",%progbits\n    .balign 4\n"
                                 "    .global ${name}\n    .type ${name}, %function\n"
                                 "${name}:\n    ldr ip, 1f\n    ldr pc, [ip]\n1:  .word __imp_${name}\n"
                                 "    .section .data.handset_imports.${library}.${name},\"aw\",%progbits\n"
                                 "    .balign 4\n    .global __imp_${name}\n__imp_${name}:\n    .word 0\n")
        endforeach()
        string(APPEND arrays "*(.data.handset_imports.${library}.*) LONG(0) /* ${calls_FILE_${library}} */\n")
    endforeach()
    file(WRITE ${dir}/imports.s.new "${thunks}")
    configure_file(${dir}/imports.s.new ${dir}/imports.s COPYONLY)
    file(WRITE ${dir}/handset_imports.ld.new "${arrays}")
    configure_file(${dir}/handset_imports.ld.new ${dir}/handset_imports.ld COPYONLY)
    add_custom_command(
        OUTPUT ${dir}/imports.o
        COMMAND ${CMAKE_CXX_COMPILER} --target=armv4t-none-eabi -marm -c ${dir}/imports.s -o ${dir}/imports.o
        DEPENDS ${dir}/imports.s
        COMMENT "The handset's import thunks and slots"
        VERBATIM)

    set(objects "")
    foreach(target IN LISTS ARG_TARGETS)
        list(APPEND objects "$<TARGET_OBJECTS:${target}>")
    endforeach()
    file(GENERATE OUTPUT ${dir}/objects.rsp CONTENT "$<JOIN:${objects},\n>\n")
    set(script ${PROJECT_SOURCE_DIR}/game/shell/handset/handset.ld)
    add_custom_command(
        OUTPUT ${dir}/${image}.elf
        COMMAND ${KUBRELSE_ARM_LD} -L ${dir} -T ${script} --emit-relocs --gc-sections -Map=${dir}/${image}.map
                -o ${dir}/${image}.elf @${dir}/objects.rsp ${dir}/imports.o ${KUBRELSE_HANDSET_LIBGCC}
        DEPENDS ${objects} ${dir}/imports.o ${script} ${dir}/handset_imports.ld ${dir}/objects.rsp
        COMMENT "Linking the handset's ${image} for ARMv4T"
        VERBATIM)
    add_custom_command(
        OUTPUT ${dir}/${image}
        COMMAND ${maker} --elf ${dir}/${image}.elf --res $<TARGET_OBJECTS:${ARG_RESOURCES}> --calls ${ARG_CALLS}
                --entry WinMain --out ${dir}/${image}
        DEPENDS ${dir}/${image}.elf $<TARGET_OBJECTS:${ARG_RESOURCES}> ${ARG_CALLS} ce_image_host ${maker}
        COMMENT "The handset's ${image} in its program form"
        VERBATIM)
    add_custom_target(kubrelse_handset_image ALL DEPENDS ${dir}/${image})

    add_test(NAME handset.image
             COMMAND ${CMAKE_COMMAND} -DIMAGE=${dir}/${image} -DELF=${dir}/${image}.elf -DCALLS=${ARG_CALLS}
                     -DREADOBJ=${KUBRELSE_LLVM_READOBJ} -DOBJDUMP=${KUBRELSE_ARM_OBJDUMP}
                     -DREADELF=${KUBRELSE_ARM_READELF}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckHandsetImage.cmake)
    set_tests_properties(handset.image PROPERTIES LABELS handset)
endfunction()
