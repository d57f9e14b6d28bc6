#include "pictoharvest/icons/dib_geometry.h"

#include <gtest/gtest.h>

#include "icon_fixtures.h"
#include "test_support.h"

namespace ph {
namespace {

using ph::testing::Bytes;

DibHeader Header(std::int32_t width, std::int32_t height, std::uint16_t bitCount, std::uint32_t clrUsed = 0,
                 std::uint16_t planes = 1, std::uint32_t size = 40) {
    return DibHeader{size, width, height, planes, bitCount, clrUsed};
}

std::vector<std::uint8_t> Encode(const DibHeader& h, std::size_t total) {
    Bytes out;
    out.U32(h.size).I32(h.width).I32(h.height).U16(h.planes).U16(h.bitCount).Fill(16).U32(h.clrUsed).Fill(4);
    out.Fill(total > out.size() ? total - out.size() : 0);
    auto bytes = out.data();
    bytes.resize(total);
    return bytes;
}

struct TableCase {
    const char* name;
    DibHeader header;
    std::uint16_t colours;
    std::uint16_t tableSize;
    std::uint64_t bitsStart;
    std::int32_t stride;
};

TEST(DibGeometry, HeaderArithmetic) {
    const TableCase cases[] = {
        {"4 bpp, no colours used: full table", Header(32, 64, 4), 16, 64, 104, 16},
        {"8 bpp, 5 colours used", Header(32, 64, 8, 5), 5, 20, 60, 32},
        {"1 bpp, 16 wide: 2 bytes padded to 4", Header(16, 32, 1), 2, 8, 48, 4},
        {"8 bpp full table", Header(48, 96, 8), 256, 1024, 1064, 48},
        {"24 bpp has no table", Header(3, 6, 24), 0, 0, 40, 12},
        {"16 bpp has no table", Header(16, 32, 16), 0, 0, 40, 32},
        {"32 bpp has no table", Header(256, 512, 32), 0, 0, 40, 1024},
        {"colours used keep their low 16 bits", Header(8, 16, 8, 0x10005), 5, 20, 60, 8},
        {"table size wraps at 16 bits", Header(8, 16, 8, 0x4001), 0x4001, 4, 44, 8},
        {"other bit counts have no table", Header(8, 16, 2), 0, 0, 40, 4},
        {"planes multiply the row", Header(16, 32, 4, 0, 2), 16, 64, 104, 16},
        {"bigger header moves the bits", Header(16, 32, 32, 0, 1, 124), 0, 0, 124, 64},
        {"zero width", Header(0, 0, 32), 0, 0, 40, 0},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColourCount(c.header), c.colours);
        EXPECT_EQ(ColourTableSize(c.header), c.tableSize);
        EXPECT_EQ(ImageBitsStart(c.header), c.bitsStart);
        EXPECT_EQ(RowStride(c.header), c.stride);
    }
}

TEST(DibGeometry, ReportedHeightIsHalfTheStoredHeightTruncated) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {{64, 32}, {33, 16}, {-64, -32}, {-33, -16}, {1, 0}};
    for (auto [stored, half] : cases) {
        SCOPED_TRACE(stored);
        const auto reported = ReportImageGeometry(Encode(Header(32, stored, 8), 40));
        ASSERT_TRUE(reported);
        EXPECT_EQ(reported->width, 32);
        EXPECT_EQ(reported->height, half);
        EXPECT_EQ(reported->bitCount, 8u);
    }
}

TEST(DibGeometry, FillImageGeometryChecksEveryPositionAgainstTheBytes) {
    // 32 x 32 at 4 bpp: 40 header + 64 table, colour 16 x 32, mask 4 x 32.
    const DibHeader header = Header(32, 64, 4);
    const std::size_t exact = 40 + 64 + 16 * 32 + 4 * 32;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bits;
        GeometryResult result;
    } cases[] = {
        {"exact size", Encode(header, exact), GeometryResult::Ok},
        {"extra bytes are fine", Encode(header, exact + 7), GeometryResult::Ok},
        {"mask one byte short", Encode(header, exact - 1), GeometryResult::OutsideData},
        {"only header and table", Encode(header, 104), GeometryResult::OutsideData},
        {"shorter than a header", Encode(header, 39), GeometryResult::HeaderMissing},
        {"empty", {}, GeometryResult::HeaderMissing},
        {"header size beyond the data", Encode(Header(32, 64, 4, 0, 1, 0xFFFFFFF0u), exact),
         GeometryResult::OutsideData},
        {"negative height", Encode(Header(32, -64, 4), exact), GeometryResult::OutsideData},
        {"negative width", Encode(Header(-32, 64, 4), exact), GeometryResult::OutsideData},
        {"huge width", Encode(Header(0x7FFFFFFF, 64, 32, 0, 0xFFFF), exact), GeometryResult::OutsideData},
        {"zero height needs only header and table", Encode(Header(32, 1, 4), 104), GeometryResult::Ok},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        IconImage image;
        image.bits = c.bits;
        EXPECT_EQ(FillImageGeometry(&image), c.result);
    }
    EXPECT_EQ(FillImageGeometry(nullptr), GeometryResult::NoImage);
}

TEST(DibGeometry, FillImageGeometryOfFixtureImages) {
    struct Case {
        int size, bits;
        std::size_t xorOffset, andOffset;
    } cases[] = {
        {16, 1, 48, 48 + 4 * 16},
        {32, 4, 104, 104 + 16 * 32},
        {48, 8, 1064, 1064 + 48 * 48},
        {16, 24, 40, 40 + 48 * 16},
        {256, 32, 40, 40 + 1024 * 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << " px, " << c.bits << " bpp");
        IconImage image;
        image.bits = testing::MakeDibImage(c.size, c.size, c.bits);
        ASSERT_EQ(FillImageGeometry(&image), GeometryResult::Ok);
        EXPECT_FALSE(image.isPng);
        EXPECT_EQ(image.width, c.size);
        EXPECT_EQ(image.height, c.size);
        EXPECT_EQ(image.colourBits, static_cast<std::uint32_t>(c.bits));
        EXPECT_EQ(image.xorOffset, c.xorOffset);
        EXPECT_EQ(image.andOffset, c.andOffset);
        EXPECT_EQ(image.bits.size(), c.andOffset + (c.size + 31) / 32 * 4 * c.size);
    }
}

TEST(DibGeometry, PngGeometryComesFromItsHeader) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bits;
        GeometryResult result;
        std::int32_t width, height;
        std::uint32_t depth;
    } cases[] = {
        {"RGBA 8-bit", testing::MakePngHead(256, 256, 8, 6), GeometryResult::Ok, 256, 256, 32},
        {"palette 8-bit", testing::MakePngHead(48, 32, 8, 3), GeometryResult::Ok, 48, 32, 8},
        {"palette 4-bit", testing::MakePngHead(16, 16, 4, 3), GeometryResult::Ok, 16, 16, 4},
        {"RGB 8-bit", testing::MakePngHead(64, 64, 8, 2), GeometryResult::Ok, 64, 64, 24},
        {"RGB 16-bit", testing::MakePngHead(64, 64, 16, 2), GeometryResult::Ok, 64, 64, 48},
        {"grey and alpha 8-bit", testing::MakePngHead(20, 10, 8, 4), GeometryResult::Ok, 20, 10, 16},
        {"grey 1-bit", testing::MakePngHead(20, 10, 1, 0), GeometryResult::Ok, 20, 10, 1},
        {"whole image", testing::MakePngImage(8, 8), GeometryResult::Ok, 8, 8, 32},
        {"unknown colour type", testing::MakePngHead(16, 16, 8, 5), GeometryResult::HeaderMissing, 0, 0, 0},
        {"zero width", testing::MakePngHead(0, 16, 8, 6), GeometryResult::HeaderMissing, 0, 0, 0},
        {"width beyond 2^31 - 1", testing::MakePngHead(0x80000000u, 16, 8, 6), GeometryResult::HeaderMissing, 0, 0,
         0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        IconImage image;
        image.bits = c.bits;
        ASSERT_EQ(FillImageGeometry(&image), c.result);
        if (c.result != GeometryResult::Ok) continue;
        EXPECT_TRUE(image.isPng);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.colourBits, c.depth);
        const auto reported = ReportImageGeometry(c.bits);
        ASSERT_TRUE(reported);
        EXPECT_EQ(reported->bitCount, c.depth);
    }

    // Cut anywhere inside the IHDR, the header is missing.
    const auto head = testing::MakePngHead(32, 32, 8, 6);
    for (std::size_t size = 8; size < 8 + 8 + 10; ++size) {
        IconImage image;
        image.bits.assign(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(FillImageGeometry(&image), GeometryResult::HeaderMissing) << size;
    }
}

TEST(DibGeometry, LabelsAndCaptions) {
    const std::pair<std::uint32_t, const char*> labels[] = {
        {1, "2 Farben"}, {4, "16 Farben"}, {8, "256 Farben"}, {16, "XP"}, {24, "XP"}, {32, "XP"}, {0, "XP"}, {2, "XP"}};
    for (auto [bits, label] : labels) EXPECT_EQ(DepthLabel(bits), label) << bits;

    EXPECT_EQ(ImageCaption(2, 215), "Icon #2 (215)");
    EXPECT_EQ(ImageCaption(0, 0), "Icon #0 (0)");
    EXPECT_EQ(ImageCaption(3, -5), "Icon #3 (-5)");
    EXPECT_EQ(ImageDetails(32, 32, 8), "32X32, 256 Farben");
    EXPECT_EQ(ImageDetails(48, 48, 32), "48X48, XP");
    EXPECT_EQ(ImageDetails(256, 256, 32), "256X256, XP");
    EXPECT_EQ(ImageDetails(16, -8, 1), "16X-8, 2 Farben");
}

}  // namespace
}  // namespace ph
