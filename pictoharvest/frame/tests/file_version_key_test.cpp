#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pictoharvest/frame/file_version.h"

namespace ph {
namespace {

TEST(FileVersionKeyTest, KeyHasEightLowerCaseDigitsLanguageFirst) {
    EXPECT_EQ(VersionFieldKey({0x0407, 0x04E4}, "FileVersion"), "\\StringFileInfo\\040704e4\\FileVersion");
    EXPECT_EQ(VersionFieldKey({0x0409, 0x04B0}, "Comments"), "\\StringFileInfo\\040904b0\\Comments");
    EXPECT_EQ(VersionFieldKey({0xFFFF, 0xABCD}, "X"), "\\StringFileInfo\\ffffabcd\\X");
    EXPECT_EQ(VersionFieldKey({0, 0}, ""), "\\StringFileInfo\\00000000\\");
}

TEST(FileVersionKeyTest, FirstTranslationIsTheFirstPairOfTheTable) {
    const std::vector<std::uint8_t> table = {0x07, 0x04, 0xE4, 0x04, 0x09, 0x04, 0xB0, 0x04};
    const auto first = FirstVersionTranslation(table);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->language, 0x0407);
    EXPECT_EQ(first->codePage, 0x04E4);
    EXPECT_FALSE(FirstVersionTranslation(std::span(table).first(3)));
    EXPECT_FALSE(FirstVersionTranslation({}));
}

TEST(FileVersionKeyTest, TextIsCutBeforeTheLastByteWhichIsAlwaysZero) {
    struct Case {
        std::size_t length;
        unsigned capacity;
        std::size_t arrives;
    };
    const Case cases[] = {
        {7, 100, 7}, {98, 100, 98}, {99, 100, 99}, {100, 100, 99}, {150, 100, 99}, {0, 100, 0},
        {5, 1, 0},   {1, 2, 1},     {2, 2, 1},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'v');
        std::vector<char> destination(c.capacity + 8, '#');
        CopyVersionText(text, c.capacity, destination.data());
        EXPECT_EQ(std::string(destination.data()), text.substr(0, c.arrives))
            << c.length << " into " << c.capacity;
        EXPECT_EQ(destination[c.capacity - 1], '\0') << c.length << " into " << c.capacity;
        // Nothing beyond the capacity is touched.
        EXPECT_EQ(destination[c.capacity], '#') << c.length << " into " << c.capacity;
    }
    char untouched = '#';
    CopyVersionText("abc", 0, &untouched);
    EXPECT_EQ(untouched, '#');
}

}  // namespace
}  // namespace ph
