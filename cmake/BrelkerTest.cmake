# brelker_add_test(NAME <name> LABEL <core|gui|e2e> SOURCES <files...> [LIBS <targets...>]
#                  [OWN_MAIN])
#
# Builds one GoogleTest executable. OWN_MAIN is for tests whose source defines main(), e.g. GUI
# tests that must create a QApplication before any test. Core and GUI tests are registered case
# by case (found when ctest runs), so `ctest -R Suite.Case` runs a single one; end-to-end tests,
# which set up costly fixtures once per program, and programs run under an emulator stay one
# entry each.
if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as sources for exactly this: built here with the cross compiler.
    set(BRELKER_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # It names its targets GTest::gtest and GTest::gtest_main itself.
    add_subdirectory(${BRELKER_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

include(GoogleTest)

function(brelker_add_test)
    cmake_parse_arguments(PARSE_ARGV 0 ARG "OWN_MAIN" "NAME;LABEL" "SOURCES;LIBS")
    if(NOT ARG_NAME OR NOT ARG_SOURCES)
        message(FATAL_ERROR "brelker_add_test: NAME and SOURCES are required")
    endif()
    if(NOT ARG_LABEL MATCHES "^(core|gui|e2e)$")
        message(FATAL_ERROR "brelker_add_test(${ARG_NAME}): LABEL must be core, gui or e2e")
    endif()
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "brelker_add_test(${ARG_NAME}): unknown ${ARG_UNPARSED_ARGUMENTS}")
    endif()

    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE brelker_options ${ARG_LIBS} GTest::gtest)
    target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    if(NOT ARG_OWN_MAIN)
        target_sources(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
    endif()
    target_compile_definitions(${ARG_NAME} PRIVATE
        BRELKER_TEST_CONFIG_HOME="${CMAKE_BINARY_DIR}/test-config")

    set(_environment
        "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
    if(ARG_LABEL STREQUAL "e2e" OR CMAKE_CROSSCOMPILING)
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
        set_tests_properties(${ARG_NAME} PROPERTIES
            ENVIRONMENT "${_environment}" LABELS ${ARG_LABEL} TIMEOUT 300)
    else()
        # The program sets its own environment (TestEnvironment.h): the cases found here
        # cannot be handed a list of variables.
        gtest_discover_tests(${ARG_NAME}
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60
            PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 300)
    endif()
endfunction()
