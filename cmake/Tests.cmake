# Test registration shared by every folder that has tests.
#
# kubrelse_add_gtest(<target> LABEL <label> SOURCES <files...> LIBS <libs...>)
# builds a GoogleTest program and registers each of its tests with ctest,
# found by reading the sources (the program is not run at build time, which
# matters when it only runs under Wine). On Windows builds every test runs
# through the Wine runner inside the shared Wine session fixture.
# RESOURCE_LOCK <name> keeps the program's tests from running at the same
# time as other tests holding the same lock. Every test program sees the
# shared helpers of the Windows tests (tools/wintest); there each program's
# main is tools/wintest/test_main.cpp, which says how its run ended.
#
# Under qemu (the armhf build) every program start costs a few tenths of a
# second, so there each suite is one ctest run of the program
# (--gtest_filter=Suite.*), named after the suite, rather than one per test.
include(GoogleTest)

# Sets `found` in the caller to the suites of the sources' TEST and TEST_F
# cases, each registered as one test.
macro(kubrelse_add_gtest_suites target)
    set(found "")
    foreach(source IN ITEMS ${ARGN})
        file(READ ${CMAKE_CURRENT_SOURCE_DIR}/${source} text)
        string(PREPEND text "\n")
        string(REGEX MATCHALL "\nTEST(_F)?\\( *[A-Za-z0-9_]+" cases "${text}")
        list(TRANSFORM cases REPLACE ".*\\( *" "")
        list(APPEND found ${cases})
    endforeach()
    list(REMOVE_DUPLICATES found)
    foreach(suite IN LISTS found)
        add_test(NAME ${suite} COMMAND ${target} --gtest_filter=${suite}.*)
    endforeach()
endmacro()

# kubrelse_wine_session(<name> [SCREEN <width>x<height>x<depth>] [LOGPIXELS <dpi>])
# registers the ctest fixture wine_session<name> ("" for the main one): one
# Wine session (a private prefix whose display scaling is LOGPIXELS, an Xvfb
# screen of SCREEN, a wineserver) kept in ${CMAKE_BINARY_DIR}/wine<name>,
# started before the first test that requires the fixture and ended after
# the last. x86 programs run under the 32-bit Wine 10 of tools/x86-root, x64
# ones under the host's Wine.
function(kubrelse_wine_session name)
    cmake_parse_arguments(ARG "" "SCREEN;LOGPIXELS" "" ${ARGN})
    set(state ${CMAKE_BINARY_DIR}/wine${name})
    set(wine_kind host)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(wine_kind x86)
    endif()
    add_test(NAME wine_session${name}_start COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session start ${state} ${wine_kind})
    add_test(NAME wine_session${name}_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-session stop ${state})
    set(environment "")
    if(ARG_SCREEN)
        list(APPEND environment WINE_SCREEN=${ARG_SCREEN})
    endif()
    if(ARG_LOGPIXELS)
        list(APPEND environment WINE_LOGPIXELS=${ARG_LOGPIXELS})
    endif()
    set_tests_properties(wine_session${name}_start PROPERTIES
        FIXTURES_SETUP wine_session${name} LABELS harness TIMEOUT 300 ENVIRONMENT "${environment}")
    set_tests_properties(wine_session${name}_stop PROPERTIES FIXTURES_CLEANUP wine_session${name} LABELS harness TIMEOUT 60)
endfunction()

if(WIN32)
    # The session every Windows test runs in unless it asks for another.
    set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
    kubrelse_wine_session("")

    # A test program that crashes ends at once, as a failed run with the
    # fault in its output, rather than waiting for a debugger's window until
    # the time-out.
    add_executable(crash_probe ${PROJECT_SOURCE_DIR}/tools/wintest/crash_probe.cpp)
    add_test(NAME wine_crash_ends_at_once
             COMMAND ${PROJECT_SOURCE_DIR}/tools/wintest/crash-ends-at-once $<TARGET_FILE:crash_probe>)
    set_tests_properties(wine_crash_ends_at_once PROPERTIES
        FIXTURES_REQUIRED wine_session ENVIRONMENT "WINE_STATE=${WINE_STATE}"
        LABELS harness TIMEOUT 30)
    add_test(NAME wine_run_code_changed_counts_once
             COMMAND ${PROJECT_SOURCE_DIR}/tools/wintest/code-changed-counts-once $<TARGET_FILE:crash_probe>)
    set_tests_properties(wine_run_code_changed_counts_once PROPERTIES
        FIXTURES_REQUIRED wine_session ENVIRONMENT "WINE_STATE=${WINE_STATE}"
        LABELS harness TIMEOUT 60)

    # x86 programs: the runner names what really runs them when another
    # binfmt_misc entry takes i386 programs (one of the check's own). While
    # that entry is on, every i386 program of the machine runs on it: the
    # check runs alone.
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_test(NAME x86_runner_named
                 COMMAND ${PROJECT_SOURCE_DIR}/tools/wintest/x86-runner-named $<TARGET_FILE:crash_probe>)
        set_tests_properties(x86_runner_named PROPERTIES
            FIXTURES_REQUIRED wine_session ENVIRONMENT "WINE_STATE=${WINE_STATE}"
            LABELS harness TIMEOUT 120 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
    endif()
endif()

function(kubrelse_add_gtest target)
    cmake_parse_arguments(ARG "" "LABEL;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
    if(WIN32)
        add_executable(${target} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tools/wintest/test_main.cpp)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest)
    else()
        add_executable(${target} ${ARG_SOURCES})
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    endif()
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tools/wintest)
    kubrelse_warnings(${target})
    if(CMAKE_CROSSCOMPILING AND NOT WIN32)
        kubrelse_add_gtest_suites(${target} ${ARG_SOURCES})
    else()
        gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST found)
    endif()
    set_tests_properties(${found} PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 120)
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${found} PROPERTIES RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
    endif()
    if(WIN32)
        set_tests_properties(${found} PROPERTIES
            FIXTURES_REQUIRED wine_session
            ENVIRONMENT "WINE_STATE=${WINE_STATE}")
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
