# Icons of programs and libraries, and the pieces the exporter writes with.

# Portable core: builds natively and for Windows.
add_library(icons_module_core STATIC
    group_directory.cpp
    module_colour_text.cpp
    module_export_command_line.cpp
    module_group_caption.cpp
    module_icon_file_writer.cpp
    module_picture.cpp
)
target_include_directories(icons_module_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(icons_module_core PUBLIC icons_core)

set(module_core_tests
    tests/group_directory_test.cpp
    tests/module_export_command_line_test.cpp
    tests/module_colour_text_test.cpp
    tests/module_group_caption_test.cpp
    tests/module_icon_file_writer_test.cpp
    tests/module_picture_test.cpp)
# The written files are read back with the icon file reader once it is built.
get_target_property(module_icons_reader_sources icons_core SOURCES)
if("icon_file_reader.cpp" IN_LIST module_icons_reader_sources)
    list(APPEND module_core_tests tests/module_icon_file_roundtrip_test.cpp)
endif()
ph_native_test(module_core_test SOURCES ${module_core_tests} LIBS icons_module_core)

ph_fuzz_target(fuzz_group_directory SOURCES tests/group_directory_fuzz.cpp LIBS icons_module_core)
ph_fuzz_target(fuzz_export_command_line SOURCES tests/module_export_command_line_fuzz.cpp LIBS icons_module_core)

if(PH_WIN32 AND FALSE)
    include(module_icons_win32.cmake)
endif()
