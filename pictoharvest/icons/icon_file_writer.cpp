#include "pictoharvest/icons/icon_file_writer.h"

#include "pictoharvest/core/byte_writer.h"
#include "pictoharvest/icons/dib_geometry.h"

namespace ph {

namespace {

std::uint8_t DimensionByte(std::int64_t value) {
    return value > 0 && value < 256 ? static_cast<std::uint8_t>(value) : 0;
}

IconDirectoryFields PngFields(std::span<const std::uint8_t> bits) {
    const auto header = ReadPngHeader(bits);
    if (!header) return {};
    IconDirectoryFields fields;
    fields.width = DimensionByte(header->width);
    fields.height = DimensionByte(header->height);
    fields.planes = 1;
    fields.bitCount = static_cast<std::uint16_t>(PngPixelBits(*header));
    return fields;
}

IconDirectoryFields DibFields(std::span<const std::uint8_t> bits) {
    const auto header = ReadDibHeader(bits);
    if (!header) return {};
    const std::uint16_t colours = ColourCount(*header);
    IconDirectoryFields fields;
    fields.width = DimensionByte(header->width);
    fields.height = DimensionByte(header->height / 2);
    // Icon files give a colour count only for images with a colour table.
    fields.colourCount = header->bitCount <= 8 && colours < 256 ? static_cast<std::uint8_t>(colours) : 0;
    fields.planes = header->planes;
    fields.bitCount = header->bitCount;
    return fields;
}

}  // namespace

IconDirectoryFields IconDirectoryFieldsOf(std::span<const std::uint8_t> bits) {
    if (HasPngSignature(bits)) return PngFields(bits);
    return DibFields(bits);
}

std::vector<std::uint8_t> BuildIconFile(std::span<const IconImage> images) {
    std::vector<std::uint8_t> out;
    std::size_t total = 6 + 16 * images.size();
    for (const auto& image : images) total += image.bits.size();
    out.reserve(total);

    ByteWriter writer(out);
    writer.U16(0).U16(1).U16(static_cast<std::uint16_t>(images.size()));  // reserved, icon, count
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const auto& image : images) {
        const IconDirectoryFields fields = IconDirectoryFieldsOf(image.bits);
        writer.U8(fields.width)
            .U8(fields.height)
            .U8(fields.colourCount)
            .U8(0)
            .U16(fields.planes)
            .U16(fields.bitCount)
            .U32(static_cast<std::uint32_t>(image.bits.size()))
            .U32(offset);
        offset += static_cast<std::uint32_t>(image.bits.size());
    }
    for (const auto& image : images) writer.Bytes(image.bits);
    return out;
}

}  // namespace ph
