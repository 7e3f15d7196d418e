# The handset build's host tools (tools/ce-image, tools/ce-setup), each
# built inside the project's native build (add_subdirectory) or on its own
# (cmake -S tools/<tool>), the way the handset-arm build makes its copy.
# Included from the tool's CMakeLists.txt after its project() call.

if(CMAKE_SOURCE_DIR STREQUAL CMAKE_CURRENT_SOURCE_DIR)
    set(CMAKE_CXX_STANDARD 17)
    set(CMAKE_CXX_STANDARD_REQUIRED ON)
    set(CMAKE_CXX_EXTENSIONS OFF)
    enable_testing()
endif()

# The project's warnings where the tool builds inside the project, the same
# ones where it builds on its own.
function(kubrelse_host_warnings target)
    if(COMMAND kubrelse_warnings)
        kubrelse_warnings(${target})
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic)
    endif()
endfunction()

# kubrelse_host_tool(<target> LIBRARY <library> TESTS <test source>
#                    PROGRAM_DEFINE <macro>)
# makes the program <target> from main.cpp over <library>, its file named
# with '-' for '_', and its GoogleTest tests <target>_tests (label tools),
# which also run the program: its path is the macro PROGRAM_DEFINE.
function(kubrelse_host_tool target)
    cmake_parse_arguments(ARG "" "LIBRARY;TESTS;PROGRAM_DEFINE" "" ${ARGN})
    add_executable(${target} main.cpp)
    string(REPLACE "_" "-" program ${target})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${program})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARY})
    kubrelse_host_warnings(${target})

    if(DEFINED KUBRELSE_BUILD_TESTS AND NOT KUBRELSE_BUILD_TESTS)
        return()
    endif()
    if(NOT TARGET GTest::gtest_main)
        find_package(GTest)
    endif()
    if(NOT TARGET GTest::gtest_main)
        return()
    endif()
    set(tests ${target}_tests)
    if(COMMAND kubrelse_add_gtest)
        kubrelse_add_gtest(${tests} LABEL tools SOURCES ${ARG_TESTS} LIBS ${ARG_LIBRARY})
    else()
        include(GoogleTest)
        add_executable(${tests} ${ARG_TESTS})
        target_link_libraries(${tests} PRIVATE ${ARG_LIBRARY} GTest::gtest_main)
        kubrelse_host_warnings(${tests})
        gtest_discover_tests(${tests})
    endif()
    target_compile_definitions(${tests} PRIVATE ${ARG_PROGRAM_DEFINE}="$<TARGET_FILE:${target}>")
    add_dependencies(${tests} ${target})
endfunction()
