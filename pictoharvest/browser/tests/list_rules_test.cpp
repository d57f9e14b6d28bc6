#include "pictoharvest/browser/list_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ph {
namespace {

TEST(ListRulesTest, AttributeLettersInFixedOrder) {
    EXPECT_EQ(AttributeLetters(0), "");
    EXPECT_EQ(AttributeLetters(0x10), "");  // the directory bit has no letter
    EXPECT_EQ(AttributeLetters(0x20), "A");
    EXPECT_EQ(AttributeLetters(0x27), "RHSA");
    EXPECT_EQ(AttributeLetters(0x21 | 0x80), "RA");
}

TEST(ListRulesTest, KilobytesRoundUpAndGroupByThrees) {
    struct Case {
        std::int64_t size;
        std::uint64_t kilobytes;
        const char* grouped;
    };
    const Case cases[] = {
        {0, 0, "0"},
        {-5, 0, "0"},
        {1, 1, "1"},
        {1024, 1, "1"},
        {1025, 2, "2"},
        {1048576, 1024, "1.024"},
        {4294967295LL, 4194304, "4.194.304"},
        {999 * 1024LL, 999, "999"},
        {1000 * 1024LL * 1000, 1000000, "1.000.000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KilobytesForSize(c.size), c.kilobytes) << c.size;
        EXPECT_EQ(GroupThousands(KilobytesForSize(c.size), "."), c.grouped) << c.size;
    }
    EXPECT_EQ(GroupThousands(1234567, "\xA0"), "1\xA0" "234\xA0" "567");
}

TEST(ListRulesTest, ExtensionIsTakenAfterTheLastSeparator) {
    EXPECT_EQ(FileExtension("C:\\a\\SETUP.exe"), ".exe");
    EXPECT_EQ(FileExtension("C:\\a.b\\readme"), "");
    EXPECT_EQ(FileExtension("x.tar.GZ"), ".GZ");
    EXPECT_EQ(FileExtension("C:file"), "");
    EXPECT_EQ(FileExtension("C:\\a\\dot."), ".");
    EXPECT_EQ(FileExtension(""), "");
}

TEST(ListRulesTest, FilterModes) {
    struct Case {
        int mode;
        bool folder;
        const char* extension;
        FilterVerdict verdict;
    };
    const Case cases[] = {
        {0, false, ".TXT", FilterVerdict::Admit},
        {1, false, ".TXT", FilterVerdict::AskIconCount},
        {1, true, "", FilterVerdict::Admit},
        {2, false, ".EXE", FilterVerdict::Admit},
        {2, false, ".DLL", FilterVerdict::Admit},
        {2, false, ".ICO", FilterVerdict::Reject},
        {2, false, ".EXEX", FilterVerdict::Reject},
        {2, true, ".TXT", FilterVerdict::Admit},
        {3, false, ".ICO", FilterVerdict::Admit},
        {3, false, "", FilterVerdict::Reject},
        {3, true, "", FilterVerdict::Admit},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterItem(c.mode, c.folder, c.extension), c.verdict) << c.mode << " " << c.extension;
}

TEST(ListRulesTest, FoldersFirstAscendingFilesFirstDescending) {
    SortFields folder{true, "ZZZ", "", "", 0, 0};
    SortFields file{false, "AAA", "", "", 10, 0};
    for (int column = 0; column <= 4; ++column) {
        EXPECT_EQ(CompareSortFields(folder, file, column, true), -1) << column;
        EXPECT_EQ(CompareSortFields(file, folder, column, true), 1) << column;
        EXPECT_EQ(CompareSortFields(folder, file, column, false), 1) << column;
        EXPECT_EQ(CompareSortFields(file, folder, column, false), -1) << column;
    }
}

TEST(ListRulesTest, EachColumnComparesItsKey) {
    const SortFields a{false, "A", "TYP B", "R", 5, 2.5};
    const SortFields b{false, "B", "TYP A", "RA", 5000000000LL, 1.5};
    EXPECT_EQ(CompareSortFields(a, b, 0, true), -1);
    EXPECT_EQ(CompareSortFields(a, b, 1, true), -1);  // beyond 32 bits
    EXPECT_EQ(CompareSortFields(a, b, 2, true), 1);
    EXPECT_EQ(CompareSortFields(a, b, 3, true), 1);
    EXPECT_EQ(CompareSortFields(a, b, 4, true), -1);
    EXPECT_EQ(CompareSortFields(a, b, 0, false), 1);
    EXPECT_EQ(CompareSortFields(a, a, 0, true), 0);
    EXPECT_EQ(CompareSortFields(a, a, 3, false), 0);
    // Bytes above 0x7F sort after ASCII, as unsigned bytes do.
    const SortFields umlaut{false, "\xC4RGER", "", "", 0, 0};
    const SortFields plain{false, "ZEBRA", "", "", 0, 0};
    EXPECT_EQ(CompareSortFields(umlaut, plain, 0, true), 1);
}

TEST(ListRulesTest, SortsTheWholeTableInOrder) {
    std::vector<SortFields> items = {
        {false, "C", "", "", 3, 0}, {true, "B", "", "", 0, 0}, {false, "A", "", "", 1, 0},
        {true, "D", "", "", 0, 0},  {false, "B", "", "", 2, 0},
    };
    std::sort(items.begin(), items.end(),
              [](const SortFields& x, const SortFields& y) { return CompareSortFields(x, y, 0, true) < 0; });
    std::string order;
    for (const auto& item : items) order += std::string(item.name) + (item.isFolder ? "/" : "");
    EXPECT_EQ(order, "B/D/ABC");
    std::sort(items.begin(), items.end(),
              [](const SortFields& x, const SortFields& y) { return CompareSortFields(x, y, 1, false) < 0; });
    order.clear();
    for (const auto& item : items) order += std::string(item.name) + (item.isFolder ? "/" : "");
    EXPECT_EQ(order.substr(0, 3), "CBA");
}

TEST(ListRulesTest, DayNumbersAndBack) {
    struct Case {
        CivilTime time;
        double days;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 12, 0, 0, 0}, 1.5},
        {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},
        {{2000, 2, 29, 18, 0, 0, 0}, 36585.75},
        {{1601, 1, 1, 0, 0, 0, 0}, -109205.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(DaysSince1899(c.time), c.days) << c.days;
        const CivilTime back = CivilFromDays(c.days);
        EXPECT_EQ(back.year, c.time.year) << c.days;
        EXPECT_EQ(back.month, c.time.month) << c.days;
        EXPECT_EQ(back.day, c.time.day) << c.days;
        EXPECT_EQ(back.hour, c.time.hour) << c.days;
    }
    const CivilTime exact = CivilFromDays(DaysSince1899({2026, 12, 11, 23, 59, 58, 250}));
    EXPECT_EQ(exact.minute, 59);
    EXPECT_EQ(exact.second, 58);
    EXPECT_EQ(exact.millisecond, 250);
}

}  // namespace
}  // namespace ph
