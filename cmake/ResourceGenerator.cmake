# The resource generator (tools/resgen) for the Windows builds: built once per
# build tree with the build machine's own compiler, as a separate host project
# (the cross toolchain is not passed on), and run during the build.
#
# kubrelse_resource_generator(<var>) sets <var> to the generator's path and
# defines the target `resgen_host` that builds it.
include(ExternalProject)

function(kubrelse_resource_generator var)
    set(dir ${CMAKE_BINARY_DIR}/host/resgen)
    set(exe ${dir}/resgen)
    if(NOT TARGET resgen_host)
        ExternalProject_Add(resgen_host
            SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/resgen
            BINARY_DIR ${dir}
            CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
            INSTALL_COMMAND ""
            BUILD_ALWAYS ON
            BUILD_BYPRODUCTS ${exe}
            USES_TERMINAL_BUILD OFF)
    endif()
    set(${var} ${exe} PARENT_SCOPE)
endfunction()
