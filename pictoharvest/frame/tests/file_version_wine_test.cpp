#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pictoharvest/frame/file_version.h"
#include "test_support.h"

namespace ph {
namespace {

// The fixture modules are built beside this program.
std::string Fixture(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string Digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
    return text;
}

struct FieldCase {
    const char* module;
    const char* field;
    unsigned result;
    std::string text;
};

TEST(FileVersionFieldTest, ReadsTheFieldOfTheFirstTranslation) {
    const FieldCase cases[] = {
        // First translation 0407/04E4: the German block, not the decoy 0409/04B0 before it.
        {"file_version_german.dll", "FileVersion", 7, "3.0.0.1"},
        {"file_version_german.dll", "ProductName", 12, "Pictoharvest"},
        {"file_version_german.dll", "OnlyEnglish", 0, ""},
        {"file_version_german.dll", "PrivateBuild", 0, ""},
        {"file_version_long.dll", "Comments", 150, Digits(99)},
        {"file_version_long.dll", "Length98", 98, Digits(98)},
        {"file_version_long.dll", "Length99", 99, Digits(99)},
        {"file_version_long.dll", "Length100", 100, Digits(99)},
        {"file_version_no_table.dll", "FileVersion", 0, ""},
        {"file_version_none.dll", "FileVersion", 0, ""},
        {"no_such_module.dll", "FileVersion", 0, ""},
    };
    for (const auto& c : cases) {
        char destination[100];
        std::memset(destination, '#', sizeof destination);
        const unsigned result = GetFileVersionField(Fixture(c.module).c_str(), c.field, 100, destination);
        EXPECT_EQ(result, c.result) << c.module << " " << c.field;
        EXPECT_EQ(std::string(destination), c.text) << c.module << " " << c.field;
    }
}

TEST(FileVersionFieldTest, TextFileHasNoVersion) {
    testing::TempDir folder;
    const std::string path = folder.File("notes.txt");
    testing::WriteBytes(path, {'1', '.', '0', '\r', '\n'});
    char destination[100];
    std::memset(destination, '#', sizeof destination);
    EXPECT_EQ(GetFileVersionField(path.c_str(), "FileVersion", 100, destination), 0u);
    EXPECT_EQ(destination[0], '\0');
}

TEST(FileVersionFieldTest, ZeroCapacityWritesNothingButStillMeasures) {
    char untouched = '#';
    EXPECT_EQ(GetFileVersionField(Fixture("file_version_german.dll").c_str(), "FileVersion", 0, &untouched), 7u);
    EXPECT_EQ(untouched, '#');
}

}  // namespace
}  // namespace ph
