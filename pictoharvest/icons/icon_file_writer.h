#pragma once
// Builds an icon file from images kept byte for byte as they were read.
// Each directory entry is worked out from the image's own header (a
// BITMAPINFOHEADER, or the IHDR chunk of a PNG image), not from any
// directory the images came with. Portable: no windows.h here.
#include <cstdint>
#include <span>
#include <vector>

#include "pictoharvest/icons/icon_image.h"

namespace ph {

struct IconDirectoryFields {
    std::uint8_t width = 0;        // 0 stands for 256 and more
    std::uint8_t height = 0;
    std::uint8_t colourCount = 0;  // 0 for 256 colours and more
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
};

// Fields for one image's data; all zero when no header can be read.
IconDirectoryFields IconDirectoryFieldsOf(std::span<const std::uint8_t> bits);

// The complete file: 6-byte head, 16-byte entries, then each image's data
// in the given order.
std::vector<std::uint8_t> BuildIconFile(std::span<const IconImage> images);

}  // namespace ph
