#include "pictoharvest/icons/group_directory.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace ph {
namespace {

using testing::Bytes;

Bytes& Entry(Bytes& bytes, std::uint8_t side, std::uint16_t bitCount, std::uint32_t size, std::uint16_t id) {
    return bytes.U8(side).U8(side).U8(0).U8(0).U16(1).U16(bitCount).U32(size).U16(id);
}

TEST(GroupDirectory, ReadsEveryEntryInOrder) {
    Bytes bytes;
    bytes.U16(0).U16(1).U16(3);
    Entry(bytes, 16, 4, 296, 101);
    Entry(bytes, 32, 8, 2216, 215);
    Entry(bytes, 0, 32, 40000, 7);
    GroupDirectory directory;
    EXPECT_EQ(ParseGroupDirectory(bytes.data(), directory), GroupDirectoryResult::Complete);
    ASSERT_EQ(directory.entries.size(), 3u);
    EXPECT_EQ(directory.entries[0].id, 101);
    EXPECT_EQ(directory.entries[1].id, 215);
    EXPECT_EQ(directory.entries[1].width, 32);
    EXPECT_EQ(directory.entries[1].bitCount, 8);
    EXPECT_EQ(directory.entries[1].bytesInRes, 2216u);
    EXPECT_EQ(directory.entries[2].id, 7);
}

TEST(GroupDirectory, StaysWithinItsData) {
    struct Case {
        const char* what;
        std::uint16_t count;
        int entriesWritten;
        std::size_t extraBytes;
        GroupDirectoryResult result;
        std::size_t entriesRead;
    };
    const Case cases[] = {
        {"count of zero", 0, 0, 0, GroupDirectoryResult::Complete, 0},
        {"count beyond the data", 5, 2, 0, GroupDirectoryResult::Truncated, 2},
        {"last entry cut short", 3, 2, 13, GroupDirectoryResult::Truncated, 2},
        {"count of 65535 with one entry", 0xFFFF, 1, 0, GroupDirectoryResult::Truncated, 1},
        {"bytes after the last entry", 1, 2, 3, GroupDirectoryResult::Complete, 1},
    };
    for (const auto& c : cases) {
        Bytes bytes;
        bytes.U16(0).U16(1).U16(c.count);
        for (int i = 0; i < c.entriesWritten; ++i) Entry(bytes, 32, 4, 744, static_cast<std::uint16_t>(10 + i));
        bytes.Fill(c.extraBytes, 0xEE);
        GroupDirectory directory;
        EXPECT_EQ(ParseGroupDirectory(bytes.data(), directory), c.result) << c.what;
        EXPECT_EQ(directory.declaredCount, c.count) << c.what;
        ASSERT_EQ(directory.entries.size(), c.entriesRead) << c.what;
        for (std::size_t i = 0; i < c.entriesRead; ++i) EXPECT_EQ(directory.entries[i].id, 10 + i) << c.what;
    }
}

TEST(GroupDirectory, ShorterThanItsHead) {
    const std::vector<std::uint8_t> bytes{0, 0, 1, 0, 2};
    GroupDirectory directory;
    EXPECT_EQ(ParseGroupDirectory(bytes, directory), GroupDirectoryResult::NoHeader);
    EXPECT_TRUE(directory.entries.empty());
}

}  // namespace
}  // namespace ph
