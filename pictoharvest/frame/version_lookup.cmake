# File version lookup.
add_library(frame_version_core STATIC ${CMAKE_CURRENT_LIST_DIR}/file_version_key.cpp)
target_include_directories(frame_version_core PUBLIC ${CMAKE_SOURCE_DIR})

ph_native_test(file_version_key_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/file_version_key_test.cpp
    LIBS frame_version_core
)

if(PH_WIN32)
    add_library(frame_version STATIC ${CMAKE_CURRENT_LIST_DIR}/file_version.cpp)
    target_link_libraries(frame_version PUBLIC frame_version_core version)

    # Modules with hand-written version resources for the tests. They land
    # beside the test program, which finds them through its own path.
    foreach(fixture file_version_german file_version_long file_version_no_table)
        add_library(${fixture} SHARED
            ${CMAKE_CURRENT_LIST_DIR}/tests/file_version_fixture.c
            ${CMAKE_CURRENT_LIST_DIR}/tests/${fixture}.rc)
        set_target_properties(${fixture} PROPERTIES PREFIX "" EXCLUDE_FROM_ALL ON)
    endforeach()
    add_library(file_version_none SHARED ${CMAKE_CURRENT_LIST_DIR}/tests/file_version_fixture.c)
    set_target_properties(file_version_none PROPERTIES PREFIX "" EXCLUDE_FROM_ALL ON)

    ph_wine_test(file_version_wine_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/file_version_wine_test.cpp
        LIBS frame_version
    )
    add_dependencies(file_version_wine_test file_version_german file_version_long file_version_no_table file_version_none)
endif()
