// The file list's size and date texts under a German locale (the test's
// Wine process runs with LANG=de_DE.UTF-8).
#include <windows.h>

#include "browser_fixture.h"

namespace ph {
namespace {

using testing::BrowserWindow;

void MakeSparseFile(const std::string& path, LONGLONG size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
}

TEST_F(BrowserWindow, SizesGroupByThreesWithTheLocalesSeparator) {
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator));
    ASSERT_STREQ(separator, ".") << "the test runs under a German locale";

    struct Case {
        const char* name;
        LONGLONG size;
        const char* text;
    };
    const Case cases[] = {
        {"s0.bin", 0, "0 KB"},
        {"s1.bin", 1, "1 KB"},
        {"s1024.bin", 1024, "1 KB"},
        {"s1025.bin", 1025, "2 KB"},
        {"s1m.bin", 1048576, "1.024 KB"},
        {"under4g.bin", 4294967295LL, "4.194.304 KB"},
        {"over4g.bin", 4294967296LL + 1025, "2 KB"},  // the low 32 bits
    };
    for (const Case& c : cases) {
        if (c.size > 2000000)
            MakeSparseFile(root + "\\" + c.name, c.size);
        else
            testing::MakeFile(root + "\\" + c.name, static_cast<std::size_t>(c.size));
    }
    testing::MakeFolder(root + "\\Ordner");
    // A known local time on one of them.
    SYSTEMTIME local{2025, 12, 3, 24, 18, 30, 16, 0};  // even: the shell keeps two-second times
    FILETIME localTime{}, utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    HANDLE file = CreateFileA((root + "\\s1.bin").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);

    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    form->Details1Click();
    ASSERT_EQ(form->ListView1.ItemCount(), 8);
    for (int i = 0; i < form->ListView1.ItemCount(); ++i) {
        const ShellItem& item = *form->shellItems[static_cast<std::size_t>(i)];
        const std::string name = item.parsingName.substr(item.parsingName.find_last_of('\\') + 1);
        if (name == "Ordner") {
            EXPECT_EQ(ItemText(i, 1), "0 KB") << "folders";
            continue;
        }
        for (const Case& c : cases)
            if (name == c.name) {
                EXPECT_EQ(ItemText(i, 1), c.text) << name;
            }
        if (name == "s1.bin") {
            EXPECT_EQ(ItemText(i, 3), "24.12.2025 18:30:16");
            EXPECT_EQ(ItemText(i, 4), "A");
            EXPECT_DOUBLE_EQ(item.modified, DaysSince1899({2025, 12, 24, 18, 30, 16, 0}));
        }
    }
    EXPECT_EQ(SizeText(-1), "0 KB");
    EXPECT_EQ(DateTimeText(0), "30.12.1899");
}

}  // namespace
}  // namespace ph
