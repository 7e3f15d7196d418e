# Programs and DLLs for Wine on 32-bit ARM (ARMNT, Thumb-2 code), built by
# Debian's clang, lld-link and llvm-dlltool beside the handset's own ARMv4T
# build, whose compiler settings they do not share: each source is compiled
# by a command of its own. No C or C++ library is linked; what a module
# takes from Wine's DLLs goes through import libraries that llvm-dlltool
# makes for ARM from the names of MinGW-w64's x64 import libraries
# (cmake/ArmntImportLibrary.cmake), so the modules may call whatever the
# desktop programs may.
#
# kubrelse_armnt_module(<file> SOURCES <source>... [INCLUDES <dir>...]
#                       [DEF <def file>] [ENTRY <symbol>] [CONSOLE]
#                       [IMPORTS <dll name>...] [DEPENDS <file>...])
# makes ${CMAKE_CURRENT_BINARY_DIR}/<file>, a DLL when <file> ends in .dll,
# and a target armnt_<file without its ending>.
include(HandsetFlags)  # the x86 cross compiler's C++ headers, for <cstring> and such

find_program(KUBRELSE_LLD_LINK lld-link REQUIRED)
find_program(KUBRELSE_LLVM_DLLTOOL llvm-dlltool REQUIRED)
find_program(KUBRELSE_LLVM_NM llvm-nm REQUIRED)
set(KUBRELSE_MINGW64_LIBS /usr/x86_64-w64-mingw32/lib CACHE PATH "MinGW-w64's x64 import libraries")

# The ARM import library of one of Wine's DLLs, made once per build tree:
# target armnt_import_<dll>, file in <out>.
function(kubrelse_armnt_import_library dll out)
    set(lib ${CMAKE_BINARY_DIR}/armnt-imports/lib${dll}.a)
    if(NOT TARGET armnt_import_${dll})
        set(from ${KUBRELSE_MINGW64_LIBS}/lib${dll}.a)
        add_custom_command(
            OUTPUT ${lib}
            COMMAND ${CMAKE_COMMAND} -DNM=${KUBRELSE_LLVM_NM} -DDLLTOOL=${KUBRELSE_LLVM_DLLTOOL} -DDLL=${dll}
                    -DFROM=${from} -DOUT=${lib} -P ${PROJECT_SOURCE_DIR}/cmake/ArmntImportLibrary.cmake
            DEPENDS ${from} ${PROJECT_SOURCE_DIR}/cmake/ArmntImportLibrary.cmake
            COMMENT "The ARM import library of ${dll}.dll"
            VERBATIM)
        add_custom_target(armnt_import_${dll} DEPENDS ${lib})
    endif()
    set(${out} ${lib} PARENT_SCOPE)
endfunction()
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
    set(library_targets "")
    foreach(dll IN LISTS ARG_IMPORTS)
        kubrelse_armnt_import_library(${dll} lib)
        list(APPEND libraries ${lib})
        list(APPEND library_targets armnt_import_${dll})
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
    if(library_targets)
        add_dependencies(armnt_${name} ${library_targets})
    endif()
endfunction()
