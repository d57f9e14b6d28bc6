#include "pictoharvest/browser/id_list_layout.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace ph {
namespace {

using Buffer = std::vector<std::uint8_t>;
using testing::Bytes;

// An item of the given payload: its count (payload + 2) and the payload.
Buffer Item(const Buffer& payload) {
    return Bytes().U16(static_cast<std::uint16_t>(payload.size() + 2)).Append(payload);
}

Buffer List(std::initializer_list<Buffer> items) {
    Bytes bytes;
    for (const auto& item : items) bytes.Append(item);
    return bytes.U16(0);
}

struct MeasureCase {
    const char* name;
    Buffer bytes;
    IdListWalk result;
    std::size_t size;
    std::size_t items;
};

TEST(IdListLayoutTest, MeasuresListsAndRefusesToRunPastTheBuffer) {
    const Buffer twoItems = List({Item({'a', 'b', 'c'}), Item({7})});
    Buffer trailing = twoItems;
    trailing.insert(trailing.end(), {0xEE, 0xEE, 0xEE});
    const MeasureCase cases[] = {
        {"terminator only", List({}), IdListWalk::Ok, 2, 0},
        {"two items", twoItems, IdListWalk::Ok, 10, 2},
        {"bytes after the terminator are not counted", trailing, IdListWalk::Ok, 10, 2},
        {"empty item of count 2", List({Item({})}), IdListWalk::Ok, 4, 1},
        {"no bytes at all", {}, IdListWalk::Truncated, 0, 0},
        {"half a count", {0x00}, IdListWalk::Truncated, 0, 0},
        {"missing terminator", Item({1, 2}), IdListWalk::Truncated, 0, 0},
        {"half a terminator", Bytes().Append(Item({1, 2})).U8(0), IdListWalk::Truncated, 0, 0},
        {"count past the end", Bytes().U16(200).U8(1).U8(2).U16(0), IdListWalk::Truncated, 0, 0},
        {"count of 0xFFFF", Bytes().U16(0xFFFF).U16(0), IdListWalk::Truncated, 0, 0},
        {"count of 1", Bytes().U16(1).U16(0), IdListWalk::BadItem, 0, 0},
    };
    for (const auto& c : cases) {
        const IdListMeasure m = MeasureIdList(c.bytes);
        EXPECT_EQ(m.result, c.result) << c.name;
        EXPECT_EQ(m.size, c.size) << c.name;
        EXPECT_EQ(m.items, c.items) << c.name;
    }
}

TEST(IdListLayoutTest, ShellListSizeIsSumOfCountsPlusTwo) {
    EXPECT_EQ(ShellIdListSize(nullptr), 2u);
    EXPECT_EQ(ShellIdListSize(List({}).data()), 2u);
    EXPECT_EQ(ShellIdListSize(List({Item({'a', 'b', 'c'}), Item({7})}).data()), 10u);
    // A count of 1 ends the walk like a terminator instead of creeping on.
    EXPECT_EQ(ShellIdListSize(Bytes().Append(Item({9})).U16(1).U16(5).data().data()), 5u);
}

struct ConcatCase {
    const char* name;
    Buffer a;
    Buffer b;
    Buffer expected;
};

TEST(IdListLayoutTest, ConcatenationJoinsItemsAndEndsWithOneTerminator) {
    const Buffer a = List({Item({'x', 'y'}), Item({1})});
    const Buffer b = List({Item({'z'})});
    const ConcatCase cases[] = {
        {"a then b", a, b, List({Item({'x', 'y'}), Item({1}), Item({'z'})})},
        {"b then a", b, a, List({Item({'z'}), Item({'x', 'y'}), Item({1})})},
        {"missing a", {}, b, b},
        {"missing b", a, {}, a},
        {"both missing", {}, {}, {0, 0}},
        {"empty lists", List({}), List({}), {0, 0}},
    };
    for (const auto& c : cases) {
        const Buffer joined = ConcatenateIdListBytes(c.a, c.b);
        EXPECT_EQ(joined, c.expected) << c.name;
        const std::size_t sizeA = c.a.empty() ? 2 : c.a.size();
        const std::size_t sizeB = c.b.empty() ? 2 : c.b.size();
        EXPECT_EQ(joined.size(), (sizeA - 2) + (sizeB - 2) + 2) << c.name;
        EXPECT_EQ(MeasureIdList(joined).size, joined.size()) << c.name;
    }
}

TEST(IdListLayoutTest, ConcatenationZeroFillsAndChecksTheDestination) {
    const Buffer a = List({Item({'x'})});
    const Buffer b = List({Item({'y'})});
    Buffer out(ConcatenatedIdListSize(a.size(), b.size()), 0xCC);
    ASSERT_TRUE(WriteConcatenatedIdList(a, b, out));
    EXPECT_EQ(out, List({Item({'x'}), Item({'y'})}));

    Buffer tooSmall(out.size() - 1, 0xCC);
    EXPECT_FALSE(WriteConcatenatedIdList(a, b, tooSmall));
    EXPECT_EQ(tooSmall, Buffer(out.size() - 1, 0xCC));
    const Buffer halfList = {0};
    EXPECT_TRUE(ConcatenateIdListBytes(halfList, b).empty());
}

}  // namespace
}  // namespace ph
