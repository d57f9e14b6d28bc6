#pragma once
// Pictures made from icon images: the pixels of a DIB-form image with its
// transparency, laid onto a background, and written as a 24-bit bitmap file.
// Portable: no windows.h here.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ph {

// Pixels in rows from the top, each 0xAARRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes a DIB-form icon image (1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed). Transparency comes from the alpha channel of a 32-bit
// image that has one, otherwise from the mask. Empty when the data is not
// such an image or is shorter than its header says.
std::optional<Picture> DecodeIconDib(std::span<const std::uint8_t> bits);

// Every pixel blended onto the background and made opaque. background is
// 0x00BBGGRR, the settings' colour order.
Picture OnBackground(const Picture& picture, std::uint32_t background);

// A 24-bit bottom-up BMP file of the picture (alpha ignored).
std::vector<std::uint8_t> BuildBmp24(const Picture& picture);

}  // namespace ph
