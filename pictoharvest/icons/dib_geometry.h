#pragma once
// Geometry of one icon image, worked out from its DIB header (or, for an
// image stored as PNG, from the PNG header), and the texts shown for it.
// Portable: no windows.h here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pictoharvest/icons/icon_image.h"

namespace ph {

// The BITMAPINFOHEADER fields the geometry uses.
struct DibHeader {
    std::uint32_t size = 0;      // biSize
    std::int32_t width = 0;      // biWidth
    std::int32_t height = 0;     // biHeight: colour bitmap and mask together
    std::uint16_t planes = 0;    // biPlanes
    std::uint16_t bitCount = 0;  // biBitCount
    std::uint32_t clrUsed = 0;   // biClrUsed
};

// A BITMAPINFOHEADER is 40 bytes; shorter data has no header to read.
inline constexpr std::size_t kDibHeaderBytes = 40;

std::optional<DibHeader> ReadDibHeader(std::span<const std::uint8_t> bits);

std::uint16_t ColourCount(const DibHeader& header);
std::uint16_t ColourTableSize(const DibHeader& header);
// Offset of the colour (XOR) bitmap from the start of the header.
std::uint64_t ImageBitsStart(const DibHeader& header);
// Bytes per row of the colour bitmap, each row padded to 4 bytes, in
// wrapping 32-bit signed arithmetic.
std::int32_t RowStride(const DibHeader& header);

// The PNG signature and the IHDR fields the geometry uses.
bool HasPngSignature(std::span<const std::uint8_t> bits);
struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colourType = 0;
};
std::optional<PngHeader> ReadPngHeader(std::span<const std::uint8_t> bits);
// Bits per pixel: bit depth times the channels of the colour type (0 for
// an unknown colour type).
std::uint32_t PngPixelBits(const PngHeader& header);

enum class GeometryResult {
    Ok,
    NoImage,        // no image given
    HeaderMissing,  // too short for its DIB header, or a broken PNG header
    OutsideData,    // colour table, colour bitmap or mask reach past the bytes
};

// Fills width, height, colour bits, the XOR and AND offsets and isPng from
// the image's bits. Every offset is checked against the byte count, so an
// image that passes can be read at its offsets without further checks.
GeometryResult FillImageGeometry(IconImage* image);

// What the icon maker reports for an image: width, height (half the
// stored DIB height) and the bit count of its header.
struct ReportedGeometry {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bitCount = 0;
};
std::optional<ReportedGeometry> ReportImageGeometry(std::span<const std::uint8_t> bits);

std::string_view DepthLabel(std::uint32_t bitCount);
// "Icon #2 (215)"
std::string ImageCaption(int position, int number);
// "32X32, 256 Farben"
std::string ImageDetails(std::int32_t width, std::int32_t height, std::uint32_t bitCount);

}  // namespace ph
