#include "pictoharvest/core/byte_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace ph {
namespace {

TEST(ByteCursor, ReadsLittleAndBigEndian) {
    const std::vector<std::uint8_t> data = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0x89, 0x50, 0x4E, 0x47, 0xAA};
    ByteCursor cursor(data);
    EXPECT_EQ(cursor.U32(), 0x04030201u);
    EXPECT_EQ(cursor.I16(), -2);
    EXPECT_EQ(cursor.U32BE(), 0x89504E47u);
    EXPECT_EQ(cursor.U8(), 0xAA);
    EXPECT_TRUE(cursor.ok());
    EXPECT_EQ(cursor.remaining(), 0u);
}

TEST(ByteCursor, FailureStaysSet) {
    const std::vector<std::uint8_t> data = {1, 2, 3};
    ByteCursor cursor(data);
    EXPECT_EQ(cursor.U16(), 0x0201);
    EXPECT_EQ(cursor.U16(), 0);  // only one byte left
    EXPECT_FALSE(cursor);
    EXPECT_EQ(cursor.position(), 2u);
    EXPECT_EQ(cursor.U8(), 0);  // a read that would fit still fails
    EXPECT_FALSE(cursor.Seek(0));
    EXPECT_TRUE(cursor.Bytes(1).empty());
}

TEST(ByteCursor, SeekSkipAndViews) {
    const std::vector<std::uint8_t> data = {9, 8, 7, 6, 5};
    ByteCursor cursor(data);
    EXPECT_TRUE(cursor.Seek(5));  // the end itself is a position
    EXPECT_EQ(cursor.remaining(), 0u);
    EXPECT_TRUE(cursor.Seek(1));
    const auto view = cursor.Bytes(3);
    ASSERT_EQ(view.size(), 3u);
    EXPECT_EQ(view[0], 8);
    EXPECT_EQ(view[2], 6);
    EXPECT_FALSE(cursor.Skip(2));
    EXPECT_FALSE(cursor);

    ByteCursor far(data);
    EXPECT_FALSE(far.Seek(6));
    ByteCursor huge(data);
    EXPECT_FALSE(huge.Skip(static_cast<std::size_t>(-1)));
}

}  // namespace
}  // namespace ph
