#include "pictoharvest/icons/icon_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "icon_fixtures.h"
#include "pictoharvest/icons/dib_geometry.h"
#include "test_support.h"

namespace ph {
namespace {

using testing::IconFileEntry;
using testing::MakeDibImage;
using testing::MakeIconFile;

struct Seen {
    int position, number;
    std::int32_t width, height;
    std::uint32_t colourBits;
    bool isPng;
    std::size_t bytes;
};

class RecordingSink final : public IconImageSink {
public:
    void AppendImage(const IconImage& image, int position, int number) override {
        images.push_back({position, number, image.width, image.height, image.colourBits, image.isPng,
                          image.bits.size()});
    }
    std::vector<Seen> images;
};

class RecordingReporter final : public IconReadReporter {
public:
    void Report(IconReadError error, std::string_view path) override {
        messages.push_back(std::string(IconReadMessage(error)));
        paths.push_back(std::string(path));
    }
    std::vector<std::string> messages;
    std::vector<std::string> paths;
};

struct Outcome {
    std::vector<Seen> images;
    std::vector<std::string> messages;
};

Outcome Read(const std::vector<std::uint8_t>& file, const std::string& path = "C:\\icons\\test.ico") {
    MemoryByteSource source(file);
    RecordingSink sink;
    RecordingReporter reporter;
    const auto error = ReadIconFile(source, path, sink, reporter);
    EXPECT_EQ(error.has_value(), !reporter.messages.empty());
    for (const auto& p : reporter.paths) EXPECT_EQ(p, path);
    return {sink.images, reporter.messages};
}

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(IconFileReader, MessagesAndImagesShown) {
    const auto a = MakeDibImage(16, 16, 4);
    const auto b = MakeDibImage(32, 32, 8);
    const auto good = MakeIconFile({{a}, {b}});
    const std::size_t firstEnd = 6 + 32 + a.size();

    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::size_t images;
        const char* message;  // nullptr: none
    } cases[] = {
        {"two good images", good, 2, nullptr},
        {"no images at all", MakeIconFile({}), 0, nullptr},
        {"type 2 is a cursor", MakeIconFile({{a}}, 2), 0, "Error Reading File Header"},
        {"reserved not 0", testing::Bytes().U16(1).U16(1).U16(0), 0, "Error Reading File Header"},
        {"empty file", {}, 0, "Error Reading File Header"},
        {"5 bytes", Truncated(good, 5), 0, "Error Reading File Header"},
        {"count beyond the file", Truncated(good, 6 + 16 + 4), 0, "Error Reading File"},
        {"absurd count", testing::Bytes().U16(0).U16(1).U16(0xFFFF).Fill(64), 0, "Error Reading File"},
        {"second image past the end", Truncated(good, firstEnd + 100), 1, "Error Reading File"},
        {"offset 0x80000000", MakeIconFile({{a}, {b, {}, {}, {}, {}, 0x80000000u}}), 1, "Error Seeking in File"},
        {"offset 0xFFFFFFFF", MakeIconFile({{a, {}, {}, {}, {}, 0xFFFFFFFFu}}), 0, "Error Seeking in File"},
        {"offset past the end", MakeIconFile({{a}, {b, {}, {}, {}, {}, 0x7FFFFFFFu}}), 1, "Error Reading File"},
        {"absurd size", MakeIconFile({{a, {}, {}, {}, 0xFFFFFFFFu}}), 0, "Error Reading File"},
        {"size one byte past the end", MakeIconFile({{a}, {b, {}, {}, {}, static_cast<std::uint32_t>(b.size() + 1)}}),
         1, "Error Reading File"},
        {"image too short for its header", MakeIconFile({{a}, {b, {}, {}, {}, 39u}}), 1,
         "Error Converting to Internal Format"},
        {"image cut inside its mask", MakeIconFile({{a, {}, {}, {}, static_cast<std::uint32_t>(a.size() - 1)}}), 0,
         "Error Converting to Internal Format"},
        {"empty image", MakeIconFile({{a, {}, {}, {}, 0u}}), 0, "Error Converting to Internal Format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = Read(c.file);
        EXPECT_EQ(outcome.images.size(), c.images);
        if (c.message) {
            EXPECT_EQ(outcome.messages, std::vector<std::string>{c.message});
        } else {
            EXPECT_TRUE(outcome.messages.empty());
        }
        for (std::size_t i = 0; i < outcome.images.size(); ++i) {
            EXPECT_EQ(outcome.images[i].position, static_cast<int>(i));
            EXPECT_EQ(outcome.images[i].number, static_cast<int>(i));
        }
    }
}

TEST(IconFileReader, HeaderWinsOverTheDirectory) {
    // The entry claims 48 x 48 at 4 bits; the image is 32 x 32 at 24 bits.
    const Outcome outcome = Read(MakeIconFile({{MakeDibImage(32, 32, 24), 48, 48, 4}}));
    ASSERT_EQ(outcome.images.size(), 1u);
    EXPECT_EQ(outcome.images[0].width, 32);
    EXPECT_EQ(outcome.images[0].height, 32);
    EXPECT_EQ(outcome.images[0].colourBits, 24u);
}

TEST(IconFileReader, EachImageIsFoundByItsOwnOffset) {
    // Two entries pointing at the same data, the second entry first in the file.
    const auto small = MakeDibImage(16, 16, 32);
    const auto big = MakeDibImage(48, 48, 8);
    const std::uint32_t dataStart = 6 + 3 * 16;
    const auto file = MakeIconFile({{big, {}, {}, {}, {}, dataStart + static_cast<std::uint32_t>(small.size())},
                                    {small, {}, {}, {}, {}, dataStart},
                                    {small, {}, {}, {}, {}, dataStart}});
    // MakeIconFile lays the data out as big, small, small: swap the first
    // two so the offsets above are where they point.
    std::vector<std::uint8_t> laidOut(file.begin(), file.begin() + dataStart);
    laidOut.insert(laidOut.end(), small.begin(), small.end());
    laidOut.insert(laidOut.end(), big.begin(), big.end());

    const Outcome outcome = Read(laidOut);
    EXPECT_TRUE(outcome.messages.empty());
    ASSERT_EQ(outcome.images.size(), 3u);
    EXPECT_EQ(outcome.images[0].width, 48);
    EXPECT_EQ(outcome.images[1].width, 16);
    EXPECT_EQ(outcome.images[2].width, 16);
    EXPECT_EQ(outcome.images[2].bytes, small.size());
}

TEST(IconFileReader, PngImagesReadLikeAnyOther) {
    const Outcome outcome = Read(MakeIconFile({{MakeDibImage(16, 16, 8)}, {testing::MakePngImage(256, 256)}}));
    EXPECT_TRUE(outcome.messages.empty());
    ASSERT_EQ(outcome.images.size(), 2u);
    EXPECT_FALSE(outcome.images[0].isPng);
    EXPECT_TRUE(outcome.images[1].isPng);
    EXPECT_EQ(outcome.images[1].width, 256);
    EXPECT_EQ(outcome.images[1].height, 256);
    EXPECT_EQ(outcome.images[1].colourBits, 32u);
}

TEST(IconFileReader, ReadsARealFile) {
    testing::TempDir dir;
    const std::string path = dir.File("two.ico");
    testing::WriteBytes(path, MakeIconFile({{MakeDibImage(16, 16, 1)}, {MakeDibImage(256, 256, 32)}}));
    auto source = StdioByteSource::Open(path);
    ASSERT_TRUE(source);
    RecordingSink sink;
    RecordingReporter reporter;
    EXPECT_FALSE(ReadIconFile(*source, path, sink, reporter));
    ASSERT_EQ(sink.images.size(), 2u);
    EXPECT_EQ(sink.images[1].width, 256);
    EXPECT_TRUE(reporter.messages.empty());

    EXPECT_FALSE(StdioByteSource::Open(dir.File("missing.ico")));
}

}  // namespace
}  // namespace ph
