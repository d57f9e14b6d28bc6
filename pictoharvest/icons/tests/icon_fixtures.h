#pragma once
// Icon images and icon files made in code for the tests, the fuzzer's seeds
// and the benchmarks. Portable.
#include <cstdint>
#include <optional>
#include <vector>

namespace ph::testing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kWhite{255, 255, 255};

// The picture every fixture image shows: its four quadrants are
// QuadrantColour(bitCount, 0..2) top-left, top-right, bottom-left, and
// transparent bottom-right.
Rgb QuadrantColour(int bitCount, int quadrant);
// The colour shown at (x, y) of an image of that size on a white ground.
Rgb FixturePixel(int width, int height, int bitCount, int x, int y);

// A DIB icon image (header, colour table, colour bitmap, mask) of
// width x height at 1, 4, 8, 24 or 32 bits per pixel.
std::vector<std::uint8_t> MakeDibImage(int width, int height, int bitCount);

// A complete PNG of width x height, 8-bit RGBA, showing the same quadrants
// as a 32-bit DIB (stored deflate blocks, so no compressor is needed).
std::vector<std::uint8_t> MakePngImage(int width, int height);
// Only the signature and IHDR: enough for the header readers.
std::vector<std::uint8_t> MakePngHead(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth,
                                      std::uint8_t colourType);

struct IconFileEntry {
    std::vector<std::uint8_t> data;
    // Directory fields; by default taken from the image's own header.
    std::optional<std::uint8_t> width = {};
    std::optional<std::uint8_t> height = {};
    std::optional<std::uint16_t> bitCount = {};
    // Overrides of the stored size and offset (the data is still written).
    std::optional<std::uint32_t> bytesInRes = {};
    std::optional<std::uint32_t> offset = {};
};

// Header, directory and each image's data in order.
std::vector<std::uint8_t> MakeIconFile(const std::vector<IconFileEntry>& entries, std::uint16_t type = 1);
// An icon file of `images` DIB images of 16, 32 and 48 pixels at 4, 8 and
// 32 bits, mixed: what the reading benchmarks read.
std::vector<std::uint8_t> MakeMixedIconFile(int images);

}  // namespace ph::testing
