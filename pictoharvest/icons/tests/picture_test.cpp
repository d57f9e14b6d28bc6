#include "pictoharvest/icons/picture.h"

#include <gtest/gtest.h>

#include "module_test_images.h"

namespace ph {
namespace {

using module_testing::MakeDibImage;

std::uint32_t At(const Picture& picture, int x, int y) { return picture.pixels[y * picture.width + x]; }

TEST(Picture, PalettedImageTakesItsMask) {
    // Red where the mask is clear, background where it is set (top half).
    const auto bits = MakeDibImage(16, 16, 4, {0x000000, 0xFF0000, 0x00FF00}, [](int x, int) { return x < 8 ? 1u : 2u; },
                                   [](int, int y) { return y < 8; });
    const auto picture = DecodeIconDib(bits);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 16);
    EXPECT_EQ(picture->height, 16);
    EXPECT_EQ(At(*picture, 0, 0), 0x00FF0000u);
    EXPECT_EQ(At(*picture, 0, 15), 0xFFFF0000u);
    EXPECT_EQ(At(*picture, 15, 15), 0xFF00FF00u);

    const auto onBlue = OnBackground(*picture, 0xFF0000);  // clBlue in 00BBGGRR
    EXPECT_EQ(At(onBlue, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(At(onBlue, 3, 12), 0xFFFF0000u);
    EXPECT_EQ(At(onBlue, 12, 12), 0xFF00FF00u);
}

TEST(Picture, AlphaWinsOverTheMask) {
    const auto bits = MakeDibImage(4, 2, 32, {}, [](int x, int) {
        return x == 0 ? 0xFF102030u : x == 1 ? 0x00FFFFFFu : 0x80FF0000u;
    }, [](int, int) { return false; });
    const auto picture = DecodeIconDib(bits);
    ASSERT_TRUE(picture);
    const auto onWhite = OnBackground(*picture, 0xFFFFFF);
    EXPECT_EQ(At(onWhite, 0, 0), 0xFF102030u);
    EXPECT_EQ(At(onWhite, 1, 1), 0xFFFFFFFFu);
    // 0xFF at 128/255 over 0xFF stays 0xFF; 0x00 over 0xFF gives 0x7F.
    EXPECT_EQ(At(onWhite, 2, 0), 0xFFFF7F7Fu);
}

TEST(Picture, TrueColourWithoutAlphaUsesTheMask) {
    const auto bits = MakeDibImage(3, 3, 24, {}, [](int, int) { return 0x00336699u; }, [](int x, int) { return x == 2; });
    const auto picture = DecodeIconDib(bits);
    ASSERT_TRUE(picture);
    const auto onBlack = OnBackground(*picture, 0);
    EXPECT_EQ(At(onBlack, 0, 1), 0xFF336699u);
    EXPECT_EQ(At(onBlack, 2, 1), 0xFF000000u);
}

TEST(Picture, RefusesWhatIsNotAWholeImage) {
    const auto good = MakeDibImage(16, 16, 8, std::vector<std::uint32_t>(256), [](int, int) { return 0u; },
                                   [](int, int) { return false; });
    std::vector<std::uint8_t> noMask(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> shortHeader(good.begin(), good.begin() + 39);
    std::vector<std::uint8_t> compressed = good;
    compressed[16] = 1;
    std::vector<std::uint8_t> hugeWidth = good;
    hugeWidth[6] = 0x7F;
    for (const auto& bits : {noMask, shortHeader, compressed, hugeWidth}) EXPECT_FALSE(DecodeIconDib(bits));
}

TEST(Picture, Bitmap24IsBottomUpAndPadded) {
    Picture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    const auto file = BuildBmp24(picture);
    const std::vector<std::uint8_t> expected = testing::Bytes()
        .U8('B').U8('M').U32(54 + 16).U32(0).U32(54)
        .U32(40).I32(2).I32(2).U16(1).U16(24).U32(0).U32(16).U32(2835).U32(2835).U32(0).U32(0)
        .U8(0x99).U8(0x88).U8(0x77).U8(0xCC).U8(0xBB).U8(0xAA).U8(0).U8(0)
        .U8(0x33).U8(0x22).U8(0x11).U8(0x66).U8(0x55).U8(0x44).U8(0).U8(0);
    EXPECT_EQ(file, expected);
}

}  // namespace
}  // namespace ph
