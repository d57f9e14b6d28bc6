#include "pictoharvest/icons/icon_file_writer.h"

#include <algorithm>
#include <array>

#include "pictoharvest/core/byte_cursor.h"

namespace ph {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint8_t DimensionByte(std::int64_t value) {
    return value > 0 && value < 256 ? static_cast<std::uint8_t>(value) : 0;
}

IconDirectoryFields PngFields(std::span<const std::uint8_t> bits) {
    ByteCursor cursor(bits);
    cursor.Skip(kPngSignature.size());
    cursor.U32BE();  // IHDR length
    const std::uint32_t type = cursor.U32BE();
    const std::uint32_t width = cursor.U32BE();
    const std::uint32_t height = cursor.U32BE();
    const std::uint8_t depth = cursor.U8();
    const std::uint8_t colourType = cursor.U8();
    if (!cursor || type != 0x49484452u) return {};  // "IHDR"
    unsigned channels = 1;
    switch (colourType) {
        case 2: channels = 3; break;  // RGB
        case 4: channels = 2; break;  // grey + alpha
        case 6: channels = 4; break;  // RGBA
        default: channels = 1; break; // grey, palette
    }
    IconDirectoryFields fields;
    fields.width = DimensionByte(width);
    fields.height = DimensionByte(height);
    fields.planes = 1;
    fields.bitCount = static_cast<std::uint16_t>(depth * channels);
    return fields;
}

IconDirectoryFields DibFields(std::span<const std::uint8_t> bits) {
    ByteCursor cursor(bits);
    cursor.U32();  // biSize
    const std::int32_t width = cursor.I32();
    const std::int32_t height = cursor.I32();
    const std::uint16_t planes = cursor.U16();
    const std::uint16_t bitCount = cursor.U16();
    cursor.Skip(16);  // compression, image size, resolution
    const std::uint32_t coloursUsed = cursor.U32();
    if (!cursor) return {};
    std::uint32_t colours = coloursUsed;
    if (colours == 0) colours = bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
    IconDirectoryFields fields;
    fields.width = DimensionByte(width);
    fields.height = DimensionByte(height / 2);
    fields.colourCount = colours < 256 ? static_cast<std::uint8_t>(colours) : 0;
    fields.planes = planes;
    fields.bitCount = bitCount;
    return fields;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

IconDirectoryFields IconDirectoryFieldsOf(std::span<const std::uint8_t> bits) {
    if (bits.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), bits.begin()))
        return PngFields(bits);
    return DibFields(bits);
}

std::vector<std::uint8_t> BuildIconFile(std::span<const IconImage> images) {
    std::vector<std::uint8_t> out;
    std::size_t total = 6 + 16 * images.size();
    for (const auto& image : images) total += image.bits.size();
    out.reserve(total);

    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // icon
    PutU16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& image : images) {
        const IconDirectoryFields fields = IconDirectoryFieldsOf(image.bits);
        out.push_back(fields.width);
        out.push_back(fields.height);
        out.push_back(fields.colourCount);
        out.push_back(0);
        PutU16(out, fields.planes);
        PutU16(out, fields.bitCount);
        PutU32(out, static_cast<std::uint32_t>(image.bits.size()));
        PutU32(out, offset);
        offset += static_cast<std::uint32_t>(image.bits.size());
    }
    for (const auto& image : images) out.insert(out.end(), image.bits.begin(), image.bits.end());
    return out;
}

}  // namespace ph
