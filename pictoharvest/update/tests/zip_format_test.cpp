#include "pictoharvest/update/zip_format.h"

#include <gtest/gtest.h>

#include "zip_fixture.h"

namespace ph::update {
namespace {

using testing::BuildZip;
using testing::DosDateTime;
using testing::Fixture;
using testing::TimestampBlock;

TEST(ZipFormat, AttributesFromExternalBits) {
    struct Case {
        std::uint32_t external;
        std::uint32_t attributes;
    };
    const Case cases[] = {
        {0x00000000, 0x81},               // DOS tool: read-only
        {0x00000020, 0xA1},               // DOS archive bit
        {0x00000010, 0x91},               // DOS directory
        {0x00000027, 0xA7},               // read-only, hidden, system, archive
        {0x81A40000, 0x80},               // Unix rw-r--r--
        {0x81240000, 0x81},               // Unix r--r--r--
        {0x41ED0000, 0x90},               // Unix directory rwxr-xr-x
        {0x81A40001, 0x81},               // Unix mode with DOS read-only
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapAttributes(c.external), c.attributes) << std::hex << c.external;
}

TEST(ZipFormat, DosTimeIsTakenAsUtc) {
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2024, 2, 10, 13, 25, 26)), UnixTimeToFileTime(1707571526));
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2024, 2, 29, 23, 59, 58)), UnixTimeToFileTime(1709251198));
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(1980, 1, 1, 0, 0, 0)), UnixTimeToFileTime(315532800));
    // Not a date: no time at all.
    EXPECT_EQ(DosTimeToFileTime(0), 0u);
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2023, 2, 29, 0, 0, 0)), 0u);
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2023, 13, 1, 0, 0, 0)), 0u);
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2023, 1, 1, 24, 0, 0)), 0u);
    EXPECT_EQ(DosTimeToFileTime(DosDateTime(2023, 1, 1, 0, 0, 60)), 0u);
    EXPECT_EQ(UnixTimeToFileTime(0), 116444736000000000u);
}

TEST(ZipFormat, TimestampBlockReplacesTheTimesItCarries) {
    const std::uint64_t dos = 1234;
    struct Case {
        std::vector<std::uint8_t> extra;
        std::uint64_t modification, access, creation;
    };
    std::vector<std::uint8_t> afterOther = {0x0A, 0x00, 0x02, 0x00, 0xEE, 0xEE};
    const auto ut = TimestampBlock(1, {1000});
    afterOther.insert(afterOther.end(), ut.begin(), ut.end());
    auto twoBlocks = TimestampBlock(1, {1000});
    const auto second = TimestampBlock(1, {2000});
    twoBlocks.insert(twoBlocks.end(), second.begin(), second.end());
    const Case cases[] = {
        {TimestampBlock(1, {1000}), UnixTimeToFileTime(1000), dos, dos},
        {TimestampBlock(7, {1000, 2000, 3000}), UnixTimeToFileTime(1000), UnixTimeToFileTime(2000),
         UnixTimeToFileTime(3000)},
        {TimestampBlock(6, {2000, 3000}), dos, UnixTimeToFileTime(2000), UnixTimeToFileTime(3000)},
        {afterOther, UnixTimeToFileTime(1000), dos, dos},
        {twoBlocks, UnixTimeToFileTime(1000), dos, dos},  // the first block counts
        // Flags promise three times, the field holds one.
        {TimestampBlock(7, {1000}), UnixTimeToFileTime(1000), dos, dos},
        // The block holds one time; the bytes after it belong to another block.
        {[] {
             auto b = TimestampBlock(3, {1000}, 5);
             b.insert(b.end(), {0x01, 0x02, 0x03, 0x04});
             return b;
         }(),
         UnixTimeToFileTime(1000), dos, dos},
        {{0x55, 0x54, 0x01, 0x00}, dos, dos, dos},  // under five bytes: not scanned
        {{}, dos, dos, dos},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        UnzipEntry entry;
        entry.modificationTime = entry.accessTime = entry.creationTime = dos;
        ApplyTimestampBlock(cases[i].extra, entry);
        EXPECT_EQ(entry.modificationTime, cases[i].modification) << i;
        EXPECT_EQ(entry.accessTime, cases[i].access) << i;
        EXPECT_EQ(entry.creationTime, cases[i].creation) << i;
    }
}

TEST(ZipFormat, SafeNames) {
    const char* unsafe[] = {"..",      "../x",       "a/..",     "a\\..\\..\\x", "a/../b", "/etc/x",
                            "\\x",     "C:x",        "c:\\x",    "a:b",          "a/b:c",  "x:",
                            ".. /x",   "a/.../b",    "a\\. .",   "nul",          "CON.txt", "a/com1",
                            "lpt9.log", "",          "conout$",  "a\nb",       "tab\t"};
    for (const char* name : unsafe) EXPECT_FALSE(IsSafeEntryName(name)) << name;
    const char* safe[] = {"a",     "a/b/c.txt", "a\\b\\c.txt", "a..b", "..a",  "a/.b",  ".",
                          "a/./b", "a/",        "con1",        "com0", "nula", "a b/c"};
    for (const char* name : safe) EXPECT_TRUE(IsSafeEntryName(name)) << name;
}

std::vector<std::uint8_t> WithComment(std::size_t length) {
    Fixture fixture;
    fixture.prefix = {'M', 'Z'};
    fixture.comment.assign(length, 'c');
    return BuildZip(fixture);
}

TEST(ZipFormat, EndRecordFoundAcrossWindowBorders) {
    for (std::size_t length : {0, 1, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 2025, 2026, 2027, 2028,
                               2029, 2030, 2031, 64000, 65513}) {
        const auto bytes = WithComment(length);
        MemoryZipInput input(bytes);
        const auto found = FindEndRecord(input);
        ASSERT_TRUE(found) << length;
        EXPECT_EQ(*found, bytes.size() - 22 - length) << length;
    }
}

TEST(ZipFormat, EndRecordTooFarFromTheEndIsNotFound) {
    for (std::size_t length : {65514, 65535}) {
        const auto bytes = WithComment(length);
        MemoryZipInput input(bytes);
        EXPECT_FALSE(FindEndRecord(input)) << length;
    }
}

TEST(ZipFormat, EndRecordNearestTheEndWins) {
    // A signature inside the comment is taken for the end record.
    auto bytes = WithComment(40);
    const std::size_t fake = bytes.size() - 10;
    bytes[fake] = 0x50, bytes[fake + 1] = 0x4B, bytes[fake + 2] = 0x05, bytes[fake + 3] = 0x06;
    MemoryZipInput input(bytes);
    EXPECT_EQ(FindEndRecord(input).value_or(0), fake);
    EndRecord record;
    EXPECT_FALSE(ReadEndRecord(input, fake, record));  // it runs past the end
}

}  // namespace
}  // namespace ph::update
