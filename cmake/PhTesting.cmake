# Test helpers shared by every subsystem.
#
#   ph_native_test(name SOURCES a.cpp ... LIBS lib ...)
#       a GoogleTest program of portable code, built and run on Linux only.
#   ph_wine_test(name SOURCES a.cpp ... LIBS lib ... [TIMEOUT seconds]
#                [ENVIRONMENT VAR=value ...])
#       a GoogleTest program of Win32 code, built for Windows and run under
#       Wine; its main() arms a watchdog so no test can hang the run.
#       ENVIRONMENT reaches the Wine runner (PH_WINE_LOCALE=de_DE.UTF-8).
include(GoogleTest)

function(ph_native_test name)
    if(PH_WIN32 OR PH_FUZZ)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ph_test_support GTest::gtest_main)
    gtest_discover_tests(${name} PROPERTIES TIMEOUT 120 LABELS native)
endfunction()

function(ph_wine_test name)
    if(NOT PH_WIN32)
        return()
    endif()
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 60)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ph_test_support ph_wine_test_main GTest::gtest)
    if(NOT PH_WINE_TESTS)
        return()
    endif()
    set(extra)
    if(T_ENVIRONMENT)
        set(extra ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine ${extra})
endfunction()

# ph_fuzz_target(name SOURCES a.cpp ... LIBS lib ...): a libFuzzer program,
# built only in the fuzz preset.
function(ph_fuzz_target name)
    if(NOT PH_FUZZ)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY PH_FUZZ_TARGETS ${name})
endfunction()

# ph_benchmark(name SOURCES a.cpp ... LIBS lib ...): a plain program that
# prints its own figures; `make bench` runs every one of them (the Windows
# ones under Wine). Built in the native and win32 presets as the caller asks.
function(ph_benchmark name)
    if(PH_FUZZ OR NOT PH_BENCH)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    set_property(TARGET ${name} PROPERTY RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
