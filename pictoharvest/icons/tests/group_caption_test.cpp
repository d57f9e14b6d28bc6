#include "pictoharvest/icons/group_caption.h"

#include <gtest/gtest.h>

namespace ph {
namespace {

TEST(GroupCaption, BaseNames) {
    const struct {
        const char* path;
        const char* base;
    } cases[] = {
        {"C:\\Windows\\System32\\shell32.dll", "shell32"},
        {"C:\\Tools\\app.setup.exe", "app.setup"},
        {"D:\\archive.tar.exe", "archive.tar"},
        {"C:\\bin\\README", "README"},
        {"C:\\x\\.hidden", ""},
        {"Z:/tmp/icons.ico", "icons"},
        {"plain.dll", "plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(ModuleBaseName(c.path), c.base) << c.path;
}

TEST(GroupCaption, ThreeDigitsAtLeast) {
    EXPECT_EQ(GroupCaption("shell32", 0), "shell32 001");
    EXPECT_EQ(GroupCaption("shell32", 11), "shell32 012");
    EXPECT_EQ(GroupCaption("shell32", 183), "shell32 184");
    EXPECT_EQ(GroupCaption("x", 999), "x 1000");
    EXPECT_EQ(GroupCaption("", 0), " 001");
}

TEST(GroupCaption, IconFileExtensionInAnyCase) {
    EXPECT_TRUE(IsIconFilePath("C:\\ICON.ICO"));
    EXPECT_TRUE(IsIconFilePath("icon.Ico"));
    EXPECT_FALSE(IsIconFilePath("C:\\icon.icon"));
    EXPECT_FALSE(IsIconFilePath("C:\\ico"));
    EXPECT_FALSE(IsIconFilePath("C:\\shell32.dll"));
}

}  // namespace
}  // namespace ph
