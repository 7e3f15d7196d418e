# Test registration shared by every folder that has tests.
#
# kubrelse_add_gtest(<target> LABEL <label> SOURCES <files...> LIBS <libs...>)
# builds a GoogleTest program and registers each of its tests with ctest,
# found by reading the sources (the program is not run at build time, which
# matters when it only runs under Wine). On Windows builds every test runs
# through the Wine runner inside the shared Wine session fixture.
# RESOURCE_LOCK <name> keeps the program's tests from running at the same
# time as other tests holding the same lock. Every test program sees the
# shared helpers of the Windows tests (tools/wintest).
include(GoogleTest)

function(kubrelse_add_gtest target)
    cmake_parse_arguments(ARG "" "LABEL;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tools/wintest)
    kubrelse_warnings(${target})
    gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST found)
    set_tests_properties(${found} PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 120)
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${found} PROPERTIES RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
    endif()
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${found} PROPERTIES
            FIXTURES_REQUIRED wine_session
            ENVIRONMENT "KUBRELSE_WINE_STATE=${KUBRELSE_WINE_STATE}")
    endif()
endfunction()

# kubrelse_planted_dll(<test target>) puts the planted DLL
# (tools/wintest/planted_dll.cpp) beside the test program: kernel32 only,
# no C runtime, its own entry.
function(kubrelse_planted_dll target)
    if(NOT TARGET planted_dll)
        add_library(planted_dll SHARED ${PROJECT_SOURCE_DIR}/tools/wintest/planted_dll.cpp)
        set_target_properties(planted_dll PROPERTIES PREFIX "")
        set(entry $<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>,_plantedEntry@12,plantedEntry>)
        target_link_options(planted_dll PRIVATE -nostdlib -s -Wl,-e,${entry})
        target_link_libraries(planted_dll PRIVATE kernel32)
    endif()
    add_dependencies(${target} planted_dll)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:planted_dll> $<TARGET_FILE_DIR:${target}>/planted_dll.dll)
endfunction()
