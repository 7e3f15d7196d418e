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

# One Wine session (private prefix, Xvfb display, wineserver) for the whole
# test run of a Windows build: started before the first Windows test, ended
# after the last one. x86 programs run under Wine 10 in WoW64 mode, x64 ones
# under the host's Wine.
if(CMAKE_CROSSCOMPILING)
    set(KUBRELSE_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(wine_kind wow64)
    else()
        set(wine_kind host)
    endif()
    add_test(NAME wine_session_start
             COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session start ${KUBRELSE_WINE_STATE} ${wine_kind})
    add_test(NAME wine_session_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session stop ${KUBRELSE_WINE_STATE})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session LABELS harness TIMEOUT 300)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session LABELS harness TIMEOUT 60)

    # A test program that crashes ends at once, with the fault and a
    # backtrace in its output, rather than waiting for a debugger's window
    # until the time-out (a program that does not start fails this too).
    add_executable(crash_probe ${PROJECT_SOURCE_DIR}/tools/wintest/crash_probe.cpp)
    add_test(NAME wine_crash_ends_at_once COMMAND crash_probe)
    set_tests_properties(wine_crash_ends_at_once PROPERTIES
        FIXTURES_REQUIRED wine_session ENVIRONMENT "KUBRELSE_WINE_STATE=${KUBRELSE_WINE_STATE}"
        LABELS harness TIMEOUT 30 PASS_REGULAR_EXPRESSION "Backtrace:")
endif()

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
