#include "pictoharvest/icons/icon_file_writer.h"

#include <gtest/gtest.h>

#include "module_test_images.h"

namespace ph {
namespace {

using module_testing::MakeDibImage;
using module_testing::MakePngHead;

IconImage Image(std::vector<std::uint8_t> bits) {
    IconImage image;
    image.bits = std::move(bits);
    return image;
}

TEST(IconFileWriter, EntriesComeFromEachImagesOwnHeader) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> bits;
        IconDirectoryFields fields;
    } cases[] = {
        {"16x16 4 bit", MakeDibImage(16, 16, 4, std::vector<std::uint32_t>(16), [](int, int) { return 1u; },
                                     [](int, int) { return false; }),
         {16, 16, 16, 1, 4}},
        {"32x32 1 bit", MakeDibImage(32, 32, 1, {0, 0xFFFFFF}, [](int, int) { return 0u; }, [](int, int) { return true; }),
         {32, 32, 2, 1, 1}},
        {"48x48 8 bit with 5 colours", MakeDibImage(48, 48, 8, std::vector<std::uint32_t>(5), [](int, int) { return 0u; },
                                                    [](int, int) { return false; }),
         {48, 48, 5, 1, 8}},
        {"24x24 32 bit", MakeDibImage(24, 24, 32, {}, [](int, int) { return 0xFF00FF00u; }, [](int, int) { return false; }),
         {24, 24, 0, 1, 32}},
        {"256x256 png", MakePngHead(256, 256, 8, 6), {0, 0, 0, 1, 32}},
        {"64x48 png rgb", MakePngHead(64, 48, 8, 2), {64, 48, 0, 1, 24}},
        {"too short for a header", {1, 2, 3}, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const IconDirectoryFields fields = IconDirectoryFieldsOf(c.bits);
        EXPECT_EQ(fields.width, c.fields.width) << c.what;
        EXPECT_EQ(fields.height, c.fields.height) << c.what;
        EXPECT_EQ(fields.colourCount, c.fields.colourCount) << c.what;
        EXPECT_EQ(fields.planes, c.fields.planes) << c.what;
        EXPECT_EQ(fields.bitCount, c.fields.bitCount) << c.what;
    }
}

TEST(IconFileWriter, WritesDirectoryThenTheImagesUnchanged) {
    std::vector<IconImage> images;
    images.push_back(Image(MakeDibImage(16, 16, 4, std::vector<std::uint32_t>(16), [](int x, int) { return x % 16u; },
                                        [](int x, int) { return x < 4; })));
    images.push_back(Image(MakePngHead(256, 256, 8, 6)));
    const auto file = BuildIconFile(images);

    const std::size_t first = images[0].bits.size(), second = images[1].bits.size();
    ASSERT_EQ(file.size(), 6 + 2 * 16 + first + second);
    const std::vector<std::uint8_t> head(file.begin(), file.begin() + 38);
    const std::vector<std::uint8_t> expected = testing::Bytes()
        .U16(0).U16(1).U16(2)
        .U8(16).U8(16).U8(16).U8(0).U16(1).U16(4).U32(static_cast<std::uint32_t>(first)).U32(38)
        .U8(0).U8(0).U8(0).U8(0).U16(1).U16(32).U32(static_cast<std::uint32_t>(second))
        .U32(static_cast<std::uint32_t>(38 + first));
    EXPECT_EQ(head, expected);
    EXPECT_TRUE(std::equal(images[0].bits.begin(), images[0].bits.end(), file.begin() + 38));
    EXPECT_TRUE(std::equal(images[1].bits.begin(), images[1].bits.end(), file.begin() + 38 + first));
}

}  // namespace
}  // namespace ph
