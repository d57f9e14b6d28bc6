#pragma once
// Icon images made in code for the tests, as they are stored in an icon
// file or an RT_ICON resource.
#include <cstdint>
#include <functional>
#include <vector>

#include "test_support.h"

namespace ph::module_testing {
using ph::testing::Bytes;
}

namespace ph::module_testing {

// A DIB-form image, rows from the top as the functions see them. value
// gives a palette index (1, 4, 8 bits) or the pixel as 0xAARRGGBB (24 and
// 32 bits); transparent gives the mask bit.
inline std::vector<std::uint8_t> MakeDibImage(int width, int height, int bitCount,
                                              const std::vector<std::uint32_t>& palette,
                                              const std::function<std::uint32_t(int, int)>& value,
                                              const std::function<bool(int, int)>& transparent) {
    Bytes bytes;
    bytes.U32(40).I32(width).I32(height * 2).U16(1).U16(static_cast<std::uint16_t>(bitCount)).U32(0);
    const int colourStride = ((width * bitCount + 31) / 32) * 4;
    const int maskStride = ((width + 31) / 32) * 4;
    bytes.U32(static_cast<std::uint32_t>((colourStride + maskStride) * height)).U32(0).U32(0);
    bytes.U32(static_cast<std::uint32_t>(palette.size())).U32(0);
    for (std::uint32_t entry : palette) bytes.U32(entry);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourStride), 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            if (bitCount <= 8) {
                const int bit = x * bitCount;
                row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bitCount - bit % 8));
            } else {
                for (int b = 0; b < bitCount / 8; ++b) row[x * (bitCount / 8) + b] = static_cast<std::uint8_t>(v >> (8 * b));
            }
        }
        bytes.Append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < width; ++x)
            if (transparent(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        bytes.Append(row);
    }
    return bytes.data();
}

// The start of a PNG-form image: signature and IHDR (no pixel data; enough
// for code that reads only the header).
inline std::vector<std::uint8_t> MakePngHead(std::uint32_t width, std::uint32_t height, std::uint8_t depth,
                                             std::uint8_t colourType) {
    std::vector<std::uint8_t> bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    for (std::uint8_t b : {depth, colourType, std::uint8_t{0}, std::uint8_t{0}, std::uint8_t{0}}) bytes.push_back(b);
    for (int i = 0; i < 4; ++i) bytes.push_back(0);  // CRC, not checked by the header readers
    return bytes;
}

}  // namespace ph::module_testing
