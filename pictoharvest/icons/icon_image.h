#pragma once
// One icon image as it is stored in an icon file or an RT_ICON resource,
// with the geometry read from its header. Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ph {

struct IconImage {
    std::vector<std::uint8_t> bits;  // the image's complete data; byte count = bits.size()
    std::int32_t width = 0;          // biWidth (or the PNG header's width)
    std::int32_t height = 0;         // biHeight / 2 (or the PNG header's height)
    std::uint32_t colourBits = 0;    // biPlanes * biBitCount (PNG: bit depth * channels)
    std::size_t xorOffset = 0;       // start of the colour bitmap inside bits
    std::size_t andOffset = 0;       // start of the mask inside bits
    bool isPng = false;              // data starts with the PNG signature
};

// The images of one icon file or icon group while it is read.
struct IconImageSet {
    std::string iconFileName;    // path of the icon file read; empty for a module
    std::string moduleFileName;  // path of the module read; empty for an icon file
    std::uint32_t imageCount = 0;
    std::vector<IconImage> images;  // in directory order
};

}  // namespace ph
