#include "pictoharvest/frame/toolbar_art.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace ph {
namespace {

std::string Rows(const std::vector<std::uint32_t>& pixels) {
    std::string text;
    for (int y = 0; y < kArrowSize; ++y) {
        for (int x = 0; x < kArrowSize; ++x) {
            const std::uint32_t pixel = pixels[static_cast<size_t>(y * kArrowSize + x)];
            text += pixel == 0xFF000000 ? '#' : pixel == 0xFFFFFFFF ? '.' : '?';
        }
        text += '\n';
    }
    return text;
}

TEST(SortArrow, BlackTrianglesOnWhitePointUpAndDown) {
    EXPECT_EQ(Rows(SortArrow(true)),
              ".......\n...#...\n..###..\n.#####.\n#######\n.......\n.......\n");
    EXPECT_EQ(Rows(SortArrow(false)),
              ".......\n#######\n.#####.\n..###..\n...#...\n.......\n.......\n");
}

TEST(ToolbarPicture, SevenDistinctPicturesWithTransparentCorners) {
    std::set<std::vector<std::uint32_t>> seen;
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        const auto picture = ToolbarPicture(i);
        ASSERT_EQ(picture.size(), size_t(kToolbarPictureSize * kToolbarPictureSize));
        EXPECT_EQ(picture[0] >> 24, 0u) << i;  // top-left corner shows the bar
        size_t opaque = 0;
        for (auto pixel : picture) opaque += (pixel >> 24) == 0xFF;
        EXPECT_GT(opaque, picture.size() / 8) << i;  // a real picture, not a blank
        seen.insert(picture);
    }
    EXPECT_EQ(seen.size(), size_t(kToolbarPictureCount));
}

}  // namespace
}  // namespace ph
