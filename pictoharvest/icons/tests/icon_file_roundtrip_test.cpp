#include <gtest/gtest.h>

#include "module_test_images.h"
#include "pictoharvest/icons/byte_source.h"
#include "pictoharvest/icons/icon_file_reader.h"
#include "pictoharvest/icons/icon_file_writer.h"

namespace ph {
namespace {

using module_testing::MakeDibImage;

IconImage Image(std::vector<std::uint8_t> bits) {
    IconImage image;
    image.bits = std::move(bits);
    return image;
}

// The file the writer makes reads back, image for image, with the program's
// own icon file reader.
class Collect : public IconImageSink, public IconReadReporter {
public:
    void AppendImage(const IconImage& image, int, int) override { images.push_back(image.bits); }
    void Report(IconReadError error, std::string_view) override { errors.push_back(error); }
    std::vector<std::vector<std::uint8_t>> images;
    std::vector<IconReadError> errors;
};

TEST(IconFileWriter, ReadsBackWithTheIconFileReader) {
    std::vector<IconImage> images;
    images.push_back(Image(MakeDibImage(32, 32, 8, std::vector<std::uint32_t>(256), [](int x, int y) { return (x + y) % 256u; },
                                        [](int, int y) { return y == 0; })));
    images.push_back(Image(MakeDibImage(16, 16, 1, {0, 0xFFFFFF}, [](int x, int) { return x % 2u; },
                                        [](int, int) { return false; })));
    images.push_back(images[0]);
    const auto file = BuildIconFile(images);
    MemoryByteSource source(file);
    Collect collect;
    ReadIconFile(source, "C:\\out.ico", collect, collect);
    EXPECT_TRUE(collect.errors.empty());
    ASSERT_EQ(collect.images.size(), 3u);
    for (std::size_t i = 0; i < images.size(); ++i) EXPECT_EQ(collect.images[i], images[i].bits) << i;
}

}  // namespace
}  // namespace ph
