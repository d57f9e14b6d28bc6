# Icons of programs and libraries, and the pieces the exporter writes with.

# Portable core: builds natively and for Windows.
add_library(icons_module_core STATIC
    group_directory.cpp
    colour_text.cpp
    export_command_line.cpp
    group_caption.cpp
    icon_file_writer.cpp
    picture.cpp
)
target_include_directories(icons_module_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(icons_module_core PUBLIC icons_core)

set(module_core_tests
    tests/group_directory_test.cpp
    tests/export_command_line_test.cpp
    tests/colour_text_test.cpp
    tests/group_caption_test.cpp
    tests/icon_file_writer_test.cpp
    tests/picture_test.cpp
    tests/icon_file_roundtrip_test.cpp)
ph_native_test(module_core_test SOURCES ${module_core_tests} LIBS icons_module_core)

ph_fuzz_target(fuzz_group_directory SOURCES tests/group_directory_fuzz.cpp LIBS icons_module_core)
ph_fuzz_target(fuzz_export_command_line SOURCES tests/export_command_line_fuzz.cpp LIBS icons_module_core)

if(NOT PH_WIN32)
    return()
endif()

# Win32: reading icon groups out of modules mapped as data.
add_library(icons_module_win32 STATIC module_icons.cpp)
target_link_libraries(icons_module_win32 PUBLIC icons_module_core shell32 user32 gdi32)

# Fixture modules, built from resource scripts. Their images are written
# by a small program built for and run on the build machine.
find_program(PH_HOST_CXX NAMES g++ c++ clang++ REQUIRED)
# The fixtures are 32-bit modules (and one 64-bit one) in every build.
find_program(PH_WINDRES32 i686-w64-mingw32-windres REQUIRED)
find_program(PH_CC32 i686-w64-mingw32-gcc REQUIRED)
find_program(PH_WINDRES64 x86_64-w64-mingw32-windres REQUIRED)
find_program(PH_CC64 x86_64-w64-mingw32-gcc REQUIRED)
set(module_fixtures ${CMAKE_CURRENT_BINARY_DIR}/module_fixtures)
set(module_fixture_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/fixtures)
set(module_generator_sources
    ${module_fixture_sources}/module_fixture_images.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/icon_fixtures.cpp
    ${CMAKE_SOURCE_DIR}/testing/test_support.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/icon_file_writer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/dib_geometry.cpp)
add_custom_command(
    OUTPUT ${module_fixtures}/module_fixture_images ${module_fixtures}/images.stamp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${module_fixtures}
    COMMAND ${PH_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/testing
            -I${CMAKE_CURRENT_SOURCE_DIR}/tests ${module_generator_sources}
            -o ${module_fixtures}/module_fixture_images
    COMMAND ${module_fixtures}/module_fixture_images ${module_fixtures}
    COMMAND ${CMAKE_COMMAND} -E touch ${module_fixtures}/images.stamp
    DEPENDS ${module_generator_sources} ${CMAKE_CURRENT_SOURCE_DIR}/tests/icon_fixtures.h
    COMMENT "Writing the images of the fixture modules"
    VERBATIM)

# module_fixture(output script windres compiler entry-symbol link-flags...)
function(module_fixture output script windres compiler entry)
    set(object ${module_fixtures}/${output}.res.o)
    add_custom_command(
        OUTPUT ${module_fixtures}/${output}
        COMMAND ${windres} -I${module_fixtures} -I${module_fixture_sources}
                ${module_fixture_sources}/${script} -O coff -o ${object}
        COMMAND ${compiler} -nostdlib ${ARGN} -Wl,-e,${entry}
                ${module_fixture_sources}/module_fixture_entry.c ${object} -o ${module_fixtures}/${output}
        DEPENDS ${module_fixtures}/images.stamp ${module_fixture_sources}/${script}
                ${module_fixture_sources}/module_images.rci ${module_fixture_sources}/module_fixture_entry.c
        VERBATIM)
endfunction()
module_fixture(twelve_groups.dll module_twelve_groups.rc ${PH_WINDRES32} ${PH_CC32}
               _FixtureEntry@12 -shared)
module_fixture(no_groups.exe module_no_groups.rc ${PH_WINDRES32} ${PH_CC32}
               _FixtureEntry@12 -mwindows)
module_fixture(wide64.dll module_64bit.rc ${PH_WINDRES64} ${PH_CC64} FixtureEntry -shared)
add_custom_target(module_fixture_modules ALL DEPENDS
    ${module_fixtures}/twelve_groups.dll ${module_fixtures}/no_groups.exe ${module_fixtures}/wide64.dll)

ph_wine_test(module_icons_wine_test
    SOURCES tests/module_icons_wine_test.cpp
    LIBS icons_module_win32 icons_test_fixtures
    TIMEOUT 120)
add_dependencies(module_icons_wine_test module_fixture_modules)
target_compile_definitions(module_icons_wine_test PRIVATE PH_MODULE_FIXTURES="Z:${module_fixtures}")
