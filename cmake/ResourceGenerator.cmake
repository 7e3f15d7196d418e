# The resource generator (tools/resgen) for the Windows builds: built once per
# build tree with the build machine's own compiler, as a host copy of this
# project in its generator-only mode (the cross toolchain is not passed on),
# and run during the build.
#
# kubrelse_resource_generator(<var>) sets <var> to the generator's path and
# defines the target `resgen_host` that builds it.
include(ExternalProject)

function(kubrelse_resource_generator var)
    set(dir ${CMAKE_BINARY_DIR}/host/resgen)
    set(exe ${dir}/tools/resgen/resgen)
    if(NOT TARGET resgen_host)
        ExternalProject_Add(resgen_host
            SOURCE_DIR ${PROJECT_SOURCE_DIR}
            BINARY_DIR ${dir}
            CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKUBRELSE_RESGEN_ONLY=ON -DKUBRELSE_BUILD_TESTS=OFF
            INSTALL_COMMAND ""
            BUILD_ALWAYS ON
            BUILD_BYPRODUCTS ${exe}
            USES_TERMINAL_BUILD OFF)
    endif()
    set(${var} ${exe} PARENT_SCOPE)
endfunction()

# kubrelse_generated_resources(<target> <script.rc> <mode> <comment> FILES <name>...)
# runs the generator in <mode> ("game" or "setup") to write the named files
# into <build dir>/generated, and compiles <script.rc>, which includes them,
# into the OBJECT library <target> (rebuilt when the folder's resource_ids.h,
# if it has one, changes). An OBJECT library hands the compiled
# resource object itself to every program that links it, so the linker
# cannot drop it the way it drops an unused member of a static archive.
function(kubrelse_generated_resources target script mode comment)
    cmake_parse_arguments(ARG "" "" "FILES" ${ARGN})
    kubrelse_resource_generator(resgen)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
    list(TRANSFORM ARG_FILES PREPEND ${generated}/ OUTPUT_VARIABLE files)
    add_custom_command(
        OUTPUT ${files}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
        COMMAND ${resgen} ${mode} ${generated}
        DEPENDS resgen_host ${resgen}
        COMMENT ${comment}
        VERBATIM)
    add_library(${target} OBJECT ${script})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} PRIVATE ${generated} ${KUBRELSE_VERSION_DIR})
    set(depends ${files} ${KUBRELSE_VERSION_FILES})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/resource_ids.h)
        list(APPEND depends ${CMAKE_CURRENT_SOURCE_DIR}/resource_ids.h)
    endif()
    set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
