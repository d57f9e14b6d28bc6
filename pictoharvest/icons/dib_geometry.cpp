#include "pictoharvest/icons/dib_geometry.h"

#include <algorithm>

#include "pictoharvest/core/byte_cursor.h"

namespace ph {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::int32_t HalfHeight(std::int32_t storedHeight) { return storedHeight / 2; }

}  // namespace

std::optional<DibHeader> ReadDibHeader(std::span<const std::uint8_t> bits) {
    if (bits.size() < kDibHeaderBytes) return std::nullopt;
    ByteCursor cursor(bits);
    DibHeader header;
    header.size = cursor.U32();
    header.width = cursor.I32();
    header.height = cursor.I32();
    header.planes = cursor.U16();
    header.bitCount = cursor.U16();
    cursor.Seek(32);
    header.clrUsed = cursor.U32();
    if (!cursor) return std::nullopt;
    return header;
}

std::uint16_t ColourCount(const DibHeader& header) {
    if (header.clrUsed != 0) return static_cast<std::uint16_t>(header.clrUsed);
    switch (header.bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

std::uint16_t ColourTableSize(const DibHeader& header) {
    return static_cast<std::uint16_t>(4u * ColourCount(header));
}

std::uint64_t ImageBitsStart(const DibHeader& header) {
    return std::uint64_t{header.size} + ColourTableSize(header);
}

std::int32_t RowStride(const DibHeader& header) {
    // Unsigned arithmetic wraps like the 32-bit signed original without
    // undefined behaviour; the shift is done on the signed value.
    const std::uint32_t rowBits = static_cast<std::uint32_t>(header.width) * header.planes * header.bitCount + 31u;
    return (static_cast<std::int32_t>(rowBits) >> 5) * 4;
}

bool HasPngSignature(std::span<const std::uint8_t> bits) {
    return bits.size() >= sizeof kPngSignature && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bits.begin());
}

std::optional<PngHeader> ReadPngHeader(std::span<const std::uint8_t> bits) {
    if (!HasPngSignature(bits)) return std::nullopt;
    ByteCursor cursor(bits);
    cursor.Skip(sizeof kPngSignature);
    const std::uint32_t length = cursor.U32BE();
    const std::uint32_t type = cursor.U32BE();
    PngHeader header;
    header.width = cursor.U32BE();
    header.height = cursor.U32BE();
    header.bitDepth = cursor.U8();
    header.colourType = cursor.U8();
    if (!cursor || length < 13 || type != 0x49484452u /* IHDR */) return std::nullopt;
    // PNG sizes are at most 2^31 - 1, so they fit the signed geometry.
    if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFFu || header.height > 0x7FFFFFFFu)
        return std::nullopt;
    if (PngPixelBits(header) == 0) return std::nullopt;
    return header;
}

std::uint32_t PngPixelBits(const PngHeader& header) {
    std::uint32_t channels = 0;
    switch (header.colourType) {
        case 0: channels = 1; break;  // grey
        case 2: channels = 3; break;  // RGB
        case 3: channels = 1; break;  // palette
        case 4: channels = 2; break;  // grey + alpha
        case 6: channels = 4; break;  // RGBA
        default: return 0;
    }
    return std::uint32_t{header.bitDepth} * channels;
}

GeometryResult FillImageGeometry(IconImage* image) {
    if (!image) return GeometryResult::NoImage;
    const std::span<const std::uint8_t> bits(image->bits);

    if (HasPngSignature(bits)) {
        const auto png = ReadPngHeader(bits);
        if (!png) return GeometryResult::HeaderMissing;
        image->isPng = true;
        image->width = static_cast<std::int32_t>(png->width);
        image->height = static_cast<std::int32_t>(png->height);
        image->colourBits = PngPixelBits(*png);
        image->xorOffset = 0;
        image->andOffset = 0;
        return GeometryResult::Ok;
    }

    const auto header = ReadDibHeader(bits);
    if (!header) return GeometryResult::HeaderMissing;
    const std::int32_t height = HalfHeight(header->height);
    const std::uint64_t colourBits = std::uint64_t{header->planes} * header->bitCount;

    // The layout, computed exactly (no 32-bit wrap), must fit the bytes:
    // header and colour table, then height rows of colour, then height rows
    // of the 1-bit mask.
    if (header->width < 0 || height < 0) return GeometryResult::OutsideData;
    const std::uint64_t size = bits.size();
    const std::uint64_t xorStart = ImageBitsStart(*header);
    if (xorStart > size) return GeometryResult::OutsideData;
    const std::uint64_t width = static_cast<std::uint64_t>(header->width);
    const std::uint64_t rows = static_cast<std::uint64_t>(height);
    const std::uint64_t colourStride = (width * colourBits + 31) / 32 * 4;
    const std::uint64_t maskStride = (width + 31) / 32 * 4;
    if (rows != 0 && colourStride + maskStride > (size - xorStart) / rows) return GeometryResult::OutsideData;

    image->isPng = false;
    image->width = header->width;
    image->height = height;
    image->colourBits = static_cast<std::uint32_t>(colourBits);
    image->xorOffset = static_cast<std::size_t>(xorStart);
    image->andOffset = static_cast<std::size_t>(xorStart + colourStride * rows);
    return GeometryResult::Ok;
}

std::optional<ReportedGeometry> ReportImageGeometry(std::span<const std::uint8_t> bits) {
    if (HasPngSignature(bits)) {
        const auto png = ReadPngHeader(bits);
        if (!png) return std::nullopt;
        return ReportedGeometry{static_cast<std::int32_t>(png->width), static_cast<std::int32_t>(png->height),
                                PngPixelBits(*png)};
    }
    const auto header = ReadDibHeader(bits);
    if (!header) return std::nullopt;
    return ReportedGeometry{header->width, HalfHeight(header->height), header->bitCount};
}

std::string_view DepthLabel(std::uint32_t bitCount) {
    switch (bitCount) {
        case 1: return "2 Farben";
        case 4: return "16 Farben";
        case 8: return "256 Farben";
        default: return "XP";
    }
}

std::string ImageCaption(int position, int number) {
    return "Icon #" + std::to_string(position) + " (" + std::to_string(number) + ")";
}

std::string ImageDetails(std::int32_t width, std::int32_t height, std::uint32_t bitCount) {
    std::string text = std::to_string(width) + "X" + std::to_string(height) + ", ";
    text += DepthLabel(bitCount);
    return text;
}

}  // namespace ph
