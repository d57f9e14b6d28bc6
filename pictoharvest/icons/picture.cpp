#include "pictoharvest/icons/picture.h"

#include "pictoharvest/core/byte_cursor.h"
#include "pictoharvest/core/byte_writer.h"

namespace ph {

namespace {

constexpr int kLargestSide = 4096;  // icons are far smaller; bounds the allocation

std::size_t Stride(std::int64_t width, unsigned bitsPerPixel) {
    return static_cast<std::size_t>(((width * bitsPerPixel + 31) / 32) * 4);
}

unsigned BitsAt(std::span<const std::uint8_t> row, int x, unsigned bitsPerPixel) {
    const std::size_t bit = static_cast<std::size_t>(x) * bitsPerPixel;
    const std::uint8_t byte = row[bit / 8];
    const unsigned shift = 8 - bitsPerPixel - static_cast<unsigned>(bit % 8);
    return (byte >> shift) & ((1u << bitsPerPixel) - 1);
}

std::uint32_t Channel(std::uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }

}  // namespace

std::optional<Picture> DecodeIconDib(std::span<const std::uint8_t> bits) {
    ByteCursor cursor(bits);
    const std::uint32_t headerSize = cursor.U32();
    const std::int32_t width = cursor.I32();
    const std::int32_t storedHeight = cursor.I32();
    const std::uint16_t planes = cursor.U16();
    const std::uint16_t bitCount = cursor.U16();
    const std::uint32_t compression = cursor.U32();
    cursor.Skip(12);
    const std::uint32_t coloursUsed = cursor.U32();
    if (!cursor || headerSize < 40 || compression != 0 || planes != 1) return std::nullopt;
    const int height = storedHeight / 2;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    // The colour table holds biClrUsed entries (low 16 bits), or the full
    // palette of a paletted image when that is 0.
    std::uint32_t tableEntries = coloursUsed & 0xFFFF;
    if (tableEntries == 0 && bitCount <= 8) tableEntries = 1u << bitCount;
    if (!cursor.Seek(headerSize)) return std::nullopt;
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < tableEntries; ++i) {
        const std::uint32_t entry = cursor.U32() & 0xFFFFFF;
        if (bitCount <= 8 && i < 256) palette.push_back(entry);
    }
    if (!cursor) return std::nullopt;

    const std::size_t colourStride = Stride(width, bitCount);
    auto colourBits = cursor.Bytes(colourStride * static_cast<std::size_t>(height));
    if (!cursor) return std::nullopt;
    const std::size_t maskStride = Stride(width, 1);
    auto maskBits = cursor.Bytes(maskStride * static_cast<std::size_t>(height));
    const bool hasMask = cursor.ok();  // a 32-bit image may come without its mask
    if (!hasMask && bitCount != 32) return std::nullopt;

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        // Rows are stored from the bottom.
        const auto row = colourBits.subspan(static_cast<std::size_t>(height - 1 - y) * colourStride, colourStride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            switch (bitCount) {
                case 1: case 4: case 8: {
                    const unsigned index = BitsAt(row, x, bitCount);
                    argb = index < palette.size() ? palette[index] : 0;
                    break;
                }
                case 16: {
                    const unsigned value = row[2 * x] | (row[2 * x + 1] << 8);
                    const unsigned r = (value >> 10) & 31, g = (value >> 5) & 31, b = value & 31;
                    argb = ((r * 255 / 31) << 16) | ((g * 255 / 31) << 8) | (b * 255 / 31);
                    break;
                }
                case 24:
                    argb = (std::uint32_t{row[3 * x + 2]} << 16) | (std::uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
                    break;
                case 32:
                    argb = std::uint32_t{row[4 * x]} | (std::uint32_t{row[4 * x + 1]} << 8) |
                           (std::uint32_t{row[4 * x + 2]} << 16) | (std::uint32_t{row[4 * x + 3]} << 24);
                    if (argb >> 24) anyAlpha = true;
                    break;
            }
            picture.pixels[static_cast<std::size_t>(y) * width + x] = argb;
        }
    }
    if (bitCount == 32 && anyAlpha) return picture;

    for (int y = 0; y < height; ++y) {
        const auto row = hasMask ? maskBits.subspan(static_cast<std::size_t>(height - 1 - y) * maskStride, maskStride)
                                 : std::span<const std::uint8_t>{};
        for (int x = 0; x < width; ++x) {
            const bool transparent = hasMask && BitsAt(row, x, 1) != 0;
            auto& pixel = picture.pixels[static_cast<std::size_t>(y) * width + x];
            pixel = (pixel & 0xFFFFFF) | (transparent ? 0u : 0xFF000000u);
        }
    }
    return picture;
}

Picture OnBackground(const Picture& picture, std::uint32_t background) {
    // The settings give 0x00BBGGRR; pixels are 0x..RRGGBB.
    const std::uint32_t backRed = background & 0xFF, backGreen = (background >> 8) & 0xFF,
                        backBlue = (background >> 16) & 0xFF;
    Picture out = picture;
    for (auto& pixel : out.pixels) {
        const std::uint32_t alpha = pixel >> 24;
        const auto blend = [alpha](std::uint32_t front, std::uint32_t back) {
            return (front * alpha + back * (255 - alpha) + 127) / 255;
        };
        pixel = 0xFF000000u | (blend(Channel(pixel, 16), backRed) << 16) | (blend(Channel(pixel, 8), backGreen) << 8) |
                blend(Channel(pixel, 0), backBlue);
    }
    return out;
}

std::vector<std::uint8_t> BuildBmp24(const Picture& picture) {
    const std::size_t stride = Stride(picture.width, 24);
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageSize);
    ByteWriter(out)
        .U8('B')
        .U8('M')
        .U32(static_cast<std::uint32_t>(54 + imageSize))
        .U32(0)
        .U32(54)
        .U32(40)
        .U32(static_cast<std::uint32_t>(picture.width))
        .U32(static_cast<std::uint32_t>(picture.height))
        .U16(1)
        .U16(24)
        .U32(0)  // BI_RGB
        .U32(static_cast<std::uint32_t>(imageSize))
        .U32(2835)  // 72 dpi
        .U32(2835)
        .U32(0)
        .U32(0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            out.push_back(static_cast<std::uint8_t>(pixel));
            out.push_back(static_cast<std::uint8_t>(pixel >> 8));
            out.push_back(static_cast<std::uint8_t>(pixel >> 16));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

}  // namespace ph
