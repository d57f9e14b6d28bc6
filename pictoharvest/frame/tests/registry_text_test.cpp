#include "pictoharvest/frame/registry_text.h"

#include <gtest/gtest.h>

namespace ph {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string Extract(const Bytes& bytes, std::uint32_t type) { return ExtractData(bytes.data(), type, bytes.size()); }

TEST(ExtractData, EveryTypeGivesItsTextForm) {
    const struct {
        std::uint32_t type;
        Bytes data;
        const char* text;
    } cases[] = {
        {kRegSz, B(std::string_view("abc\0", 4)), "abc"},
        {kRegSz, B("abc"), "abc"},  // no terminating NUL
        {kRegSz, B(std::string_view("ab\0cd\0", 6)), "ab"},
        {kRegSz, {}, ""},
        {kRegExpandSz, B(std::string_view("%TEMP%\\x\0", 9)), "%TEMP%\\x"},
        {kRegMultiSz, B(std::string_view("a\0b\0c\0\0", 7)), "a b c"},
        {kRegMultiSz, B(std::string_view("\0\0", 2)), ""},
        {kRegMultiSz, B(std::string_view("\0a\0\0", 4)), ""},  // first string empty
        {kRegMultiSz, B(std::string_view("a\0\0b\0\0", 6)), "a"},
        {kRegMultiSz, B(std::string_view("one\0two", 7)), "one two"},  // no terminators
        {kRegMultiSz, B(std::string_view("one\0two\0", 8)), "one two"},
        {kRegMultiSz, {}, ""},
        {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {kRegDword, {0x2A, 0, 0, 0}, "42"},
        {kRegDword, {0, 0, 0, 0x80}, "-2147483648"},
        {kRegDword, {0x2A, 0, 0, 0, 0x99}, "42"},
        {kRegDword, {0x2A, 0, 0}, ""},  // too short to be a number
        {kRegBinary, {0x0A, 0x1B, 0x2C}, "0A 1B 2C"},
        {kRegBinary, {0xFF}, "FF"},
        {kRegBinary, {}, ""},
        {kRegNone, {0x00, 0x01}, "00 01"},
        {kRegDwordBigEndian, {0, 0, 0, 1}, "00 00 00 01"},
        {kRegLink, {0xAB}, "AB"},
        {kRegResourceList, {1}, "01"},
        {kRegFullResourceDescriptor, {2}, "02"},
        {kRegResourceRequirementsList, {3}, "03"},
        {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}, "01 02 03 04 05 06 07 08"},
        {12, {1, 2}, ""},
        {0xFFFFFFFF, {1}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Extract(c.data, c.type), c.text) << "type " << c.type;
}

TEST(ExtractData, HugeBinaryAndNullData) {
    Bytes big(1 << 20, 0xA5);
    const std::string text = Extract(big, kRegBinary);
    ASSERT_EQ(text.size(), big.size() * 3 - 1);
    EXPECT_EQ(text.substr(0, 6), "A5 A5 ");
    EXPECT_EQ(ExtractData(nullptr, kRegSz, 10), "");
    EXPECT_EQ(ExtractData(nullptr, kRegBinary, 10), "");
}

TEST(BinaryText, ReadsEveryThirdCharacterAndRefusesWhatIsNotHex) {
    EXPECT_EQ(ParseBinaryText("0A 1B 2C"), (Bytes{0x0A, 0x1B, 0x2C}));
    EXPECT_EQ(ParseBinaryText("0A 1B 2C "), (Bytes{0x0A, 0x1B, 0x2C}));
    EXPECT_EQ(ParseBinaryText("ff-a0"), (Bytes{0xFF, 0xA0}));  // the separator is not looked at
    EXPECT_EQ(ParseBinaryText(""), Bytes{});
    for (const char* bad : {"0G", "0A 1", "0A 1B 2", "x", " 0A", "0A  1B", "-1"})
        EXPECT_FALSE(ParseBinaryText(bad)) << bad;
    // Round trip through the text form, capped at 2048 bytes.
    Bytes all(3000);
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint8_t>(i * 7);
    const auto back = ParseBinaryText(Extract(all, kRegBinary));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, Bytes(all.begin(), all.begin() + kMaxBinaryBytes));
}

TEST(DwordText, DecimalWithTheSystemSeparatorTruncatedTowardZero) {
    const struct {
        const char* text;
        char separator;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"42", '.', 42u},
        {"-1", '.', 0xFFFFFFFFu},
        {"+7", '.', 7u},
        {"12.9", '.', 12u},
        {"12,9", ',', 12u},
        {"-3,7", ',', 0xFFFFFFFDu},
        {"-0.5", '.', 0u},
        {"1e3", '.', 1000u},
        {" 5 ", '.', 5u},
        {"4294967295", '.', 0xFFFFFFFFu},
        {"-2147483648", '.', 0x80000000u},
        {".5", '.', 0u},
        {"12.9", ',', std::nullopt},  // the other locale's separator
        {"4294967296", '.', std::nullopt},
        {"-2147483649", '.', std::nullopt},
        {"abc", '.', std::nullopt},
        {"", '.', std::nullopt},
        {"-", '.', std::nullopt},
        {"1e", '.', std::nullopt},
        {"1e999", '.', std::nullopt},
        {"0x10", '.', std::nullopt},
        {"1 2", '.', std::nullopt},
        {"nan", '.', std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDwordText(c.text, c.separator), c.value) << c.text;
}

TEST(DataForLetter, EachLetterStoresItsTypeAndBytes) {
    const std::string withNul("ab\0cd", 5);
    const struct {
        const char* letter;
        std::string text;
        std::optional<std::uint32_t> type;
        Bytes bytes;
    } cases[] = {
        {"s", "abc", kRegSz, B(std::string_view("abc\0", 4))},
        {"s", "", kRegSz, {0}},
        {"e", withNul, kRegExpandSz, B(std::string_view("ab\0", 3))},
        {"m", std::string("a\0b\0", 4), kRegMultiSz, B(std::string_view("a\0b\0\0", 5))},
        {"i", "-1", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"i", "258", kRegDword, {0x02, 0x01, 0, 0}},
        {"b", "0A 1B 2C", kRegBinary, {0x0A, 0x1B, 0x2C}},
        {"i", "abc", std::nullopt, {}},
        {"b", "0A ZZ", std::nullopt, {}},
        {"S", "abc", std::nullopt, {}},
        {"x", "abc", std::nullopt, {}},
        {"", "abc", std::nullopt, {}},
        {"ss", "abc", std::nullopt, {}},
    };
    for (const auto& c : cases) {
        const auto data = DataForLetter(c.letter, c.text, '.');
        ASSERT_EQ(data.has_value(), c.type.has_value()) << c.letter << " " << c.text;
        if (!data) continue;
        EXPECT_EQ(data->type, *c.type) << c.letter;
        EXPECT_EQ(data->bytes, c.bytes) << c.letter;
    }
}

TEST(Wow64Rules, AccessMaskAsksForThe64BitViewUnlessThePathNamesThe32BitBranch) {
    const struct {
        bool write, wow64;
        const char* path;
        std::uint32_t mask;
    } cases[] = {
        {false, false, "Software\\Microsoft", 0x20019},
        {true, false, "Software\\Microsoft", 0x20006},
        {false, true, "Software\\Microsoft", 0x20119},
        {true, true, "SOFTWARE\\Tools", 0x20106},
        {false, true, "SOFTWARE\\Wow6432Node\\Tools", 0x20019},
        {true, true, "software\\wow6432node\\tools", 0x20006},
        {false, true, "Software\\WOW6432NODE", 0x20019},
        {false, true, "Software\\wOw6432nOdE\\x", 0x20019},
        {false, true, "Software\\Wow6432", 0x20119},
    };
    for (const auto& c : cases) EXPECT_EQ(AccessMask(c.write, c.wow64, c.path), c.mask) << c.path;
}

TEST(Wow64Rules, MirrorPathOnlyForTheMachineSoftwareBranchUnderWow64) {
    const struct {
        bool wow64;
        int root;
        const char* path;
        std::optional<std::string> mirror;
    } cases[] = {
        {true, 2, "SOFTWARE\\Tools", "SOFTWARE\\Wow6432Node\\Tools"},
        {true, 2, "SOFTWARE", "SOFTWARE\\Wow6432Node\\SOFTWARE"},
        {true, 2, "Software\\Maker\\Tool", "SOFTWARE\\Wow6432Node\\Maker\\Tool"},
        {true, 2, "software\\a", "SOFTWARE\\Wow6432Node\\a"},
        {false, 2, "SOFTWARE\\Tools", std::nullopt},
        {true, 1, "SOFTWARE\\Tools", std::nullopt},
        {true, 0, "SOFTWARE\\Tools", std::nullopt},
        {true, 2, "SYSTEM\\Tools", std::nullopt},
        {true, 2, "\\SOFTWARE\\Tools", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(Wow64MirrorPath(c.wow64, c.root, c.path), c.mirror) << c.path;
}

TEST(StoredInt, OnlyDecimalIntegersCount) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"950", 950},  {"-8", -8},     {"+3", 3},        {"0", 0},          {"2147483647", 2147483647},
        {"", {}},      {"abc", {}},    {"12abc", {}},    {" 1", {}},        {"1 ", {}},
        {"1.5", {}},   {"$10", {}},    {"2147483648", {}}, {"+-1", {}},     {"++1", {}},
        {"-", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseStoredInt(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace ph
