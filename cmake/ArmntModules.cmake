# Programs and DLLs for Wine on 32-bit ARM (ARMNT, Thumb-2 code), built by
# Debian's clang, lld-link and llvm-dlltool beside the handset's own ARMv4T
# build, whose compiler settings they do not share: each source is compiled
# by a command of its own. No C or C++ library is linked; what a module
# takes from Wine's DLLs goes through import libraries that llvm-dlltool
# makes from module definition files (handset-wine/imports/<dll>.def).
#
# kubrelse_armnt_module(<file> SOURCES <source>... [INCLUDES <dir>...]
#                       [DEF <def file>] [ENTRY <symbol>] [CONSOLE]
#                       [IMPORTS <def file>...] [DEPENDS <file>...])
# makes ${CMAKE_CURRENT_BINARY_DIR}/<file>, a DLL when <file> ends in .dll,
# and a target armnt_<file without its ending>.
include(HandsetFlags)  # the x86 cross compiler's C++ headers, for <cstring> and such

find_program(KUBRELSE_LLD_LINK lld-link REQUIRED)
find_program(KUBRELSE_LLVM_DLLTOOL llvm-dlltool REQUIRED)
set(KUBRELSE_ARMNT_TARGET armv7-w64-windows-gnu)
set(KUBRELSE_ARMNT_FLAGS --target=${KUBRELSE_ARMNT_TARGET} -std=c++17 -Os -ffreestanding -fno-exceptions -fno-rtti
    -fms-extensions -mno-stack-arg-probe -D_WIN32 -DWIN32 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
    -Wall -Wextra -Wshadow -Werror -Wno-unused-command-line-argument -nostdinc++ -isystem ${kubrelse_cxx_headers}
    -isystem ${kubrelse_cxx_headers}/i686-w64-mingw32 -isystem /usr/share/mingw-w64/include)

function(kubrelse_armnt_module file)
    cmake_parse_arguments(ARG "CONSOLE" "DEF;ENTRY" "SOURCES;INCLUDES;IMPORTS;DEPENDS" ${ARGN})
    get_filename_component(name ${file} NAME_WE)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/armnt-${name})
    set(includes "")
    foreach(include IN LISTS ARG_INCLUDES)
        list(APPEND includes -I${include})
    endforeach()
    set(objects "")
    if(file MATCHES "\\.dll$")
        list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/handset-wine/runtime/export_alignment.cpp)
    endif()
    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(source ${source} ABSOLUTE)
        get_filename_component(base ${source} NAME_WE)
        set(object ${dir}/${base}.obj)
        add_custom_command(
            OUTPUT ${object}
            COMMAND ${CMAKE_CXX_COMPILER} ${KUBRELSE_ARMNT_FLAGS} ${includes} -MD -MF ${object}.d -c ${source}
                    -o ${object}
            DEPENDS ${source}
            DEPFILE ${object}.d
            COMMENT "Compiling ${base} for Wine on ARM"
            VERBATIM)
        list(APPEND objects ${object})
    endforeach()
    set(libraries "")
    foreach(def IN LISTS ARG_IMPORTS)
        get_filename_component(dll ${def} NAME_WE)
        set(lib ${dir}/lib${dll}.a)
        add_custom_command(
            OUTPUT ${lib}
            COMMAND ${KUBRELSE_LLVM_DLLTOOL} -m arm -D ${dll}.dll -d ${def} -l ${lib}
            DEPENDS ${def}
            COMMENT "The ARM import library of ${dll}.dll for ${file}"
            VERBATIM)
        list(APPEND libraries ${lib})
    endforeach()
    set(options /nologo /machine:arm /nodefaultlib /dynamicbase /nxcompat /out:${CMAKE_CURRENT_BINARY_DIR}/${file})
    if(file MATCHES "\\.dll$")
        list(APPEND options /dll)
    endif()
    if(ARG_CONSOLE)
        list(APPEND options /subsystem:console)
    else()
        list(APPEND options /subsystem:windows)
    endif()
    if(ARG_ENTRY)
        list(APPEND options /entry:${ARG_ENTRY})
    endif()
    if(ARG_DEF)
        list(APPEND options /def:${ARG_DEF})
    endif()
    add_custom_command(
        OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${file}
        COMMAND ${KUBRELSE_LLD_LINK} ${options} ${objects} ${libraries}
        DEPENDS ${objects} ${libraries} ${ARG_DEF} ${ARG_DEPENDS}
        COMMENT "Linking ${file} for Wine on ARM"
        VERBATIM)
    add_custom_target(armnt_${name} ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file})
endfunction()
