#include "icon_fixtures.h"

#include <array>
#include <string>

#include "test_support.h"

namespace ph::testing {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

int Quadrant(int width, int height, int x, int y) {
    const bool right = x >= width / 2;
    const bool bottom = y >= height / 2;
    return (bottom ? 2 : 0) + (right ? 1 : 0);  // 3 is the transparent one
}

// Palette index of each quadrant for the palette images.
int PaletteIndex(int bitCount, int quadrant) {
    if (quadrant == 3) return 0;
    if (bitCount == 1) return quadrant == 1 ? 1 : 0;
    return quadrant + 1;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutU32BE(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& body) {
    PutU32BE(out, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32BE(out, Crc32(typed.data(), typed.size()));
}

std::vector<std::uint8_t> IhdrBody(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth,
                                   std::uint8_t colourType) {
    std::vector<std::uint8_t> body;
    PutU32BE(body, width);
    PutU32BE(body, height);
    body.insert(body.end(), {bitDepth, colourType, 0, 0, 0});
    return body;
}

// A zlib stream of stored blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - done, 65535);
        const bool last = done + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(n & 0xFF);
        out.push_back(n >> 8);
        out.push_back(~n & 0xFF);
        out.push_back((~n >> 8) & 0xFF);
        out.insert(out.end(), raw.begin() + done, raw.begin() + done + n);
        done += n;
    } while (done < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutU32BE(out, (b << 16) | a);
    return out;
}

const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

}  // namespace

Rgb QuadrantColour(int bitCount, int quadrant) {
    if (bitCount == 1) return quadrant == 1 ? kWhite : kBlack;
    const Rgb colours[3] = {kRed, kGreen, kBlue};
    return colours[quadrant];
}

Rgb FixturePixel(int width, int height, int bitCount, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return kWhite;
    const int quadrant = Quadrant(width, height, x, y);
    return quadrant == 3 ? kWhite : QuadrantColour(bitCount, quadrant);
}

std::vector<std::uint8_t> MakeDibImage(int width, int height, int bitCount) {
    Bytes out;
    out.U32(40).I32(width).I32(height * 2).U16(1).U16(static_cast<std::uint16_t>(bitCount));
    out.U32(0).U32(0).I32(0).I32(0).U32(0).U32(0);  // BI_RGB, size, resolution, colours used/important

    if (bitCount <= 8) {
        const int entries = 1 << bitCount;
        for (int i = 0; i < entries; ++i) {
            Rgb c = kBlack;
            if (bitCount == 1 && i == 1) c = kWhite;
            if (bitCount > 1 && i >= 1 && i <= 3) c = QuadrantColour(bitCount, i - 1);
            out.U8(c.b).U8(c.g).U8(c.r).U8(0);
        }
    }

    const int colourStride = (width * bitCount + 31) / 32 * 4;
    const int maskStride = (width + 31) / 32 * 4;
    // Rows are stored bottom-up.
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> line(colourStride, 0);
        for (int x = 0; x < width; ++x) {
            const int quadrant = Quadrant(width, height, x, row);
            const Rgb c = quadrant == 3 ? kBlack : QuadrantColour(bitCount, quadrant);
            const int index = PaletteIndex(bitCount, quadrant);
            switch (bitCount) {
                case 1: line[x / 8] |= static_cast<std::uint8_t>(index << (7 - x % 8)); break;
                case 4: line[x / 2] |= static_cast<std::uint8_t>(index << (x % 2 ? 0 : 4)); break;
                case 8: line[x] = static_cast<std::uint8_t>(index); break;
                case 24:
                    line[x * 3] = c.b, line[x * 3 + 1] = c.g, line[x * 3 + 2] = c.r;
                    break;
                case 32:
                    line[x * 4] = c.b, line[x * 4 + 1] = c.g, line[x * 4 + 2] = c.r;
                    line[x * 4 + 3] = quadrant == 3 ? 0 : 255;
                    break;
            }
        }
        out.Append(line);
    }
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> line(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if (Quadrant(width, height, x, row) == 3) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.Append(line);
    }
    return out.data();
}

std::vector<std::uint8_t> MakePngHead(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth,
                                      std::uint8_t colourType) {
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    PutChunk(out, "IHDR", IhdrBody(width, height, bitDepth, colourType));
    return out;
}

std::vector<std::uint8_t> MakePngImage(int width, int height) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 4 * width));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const int quadrant = Quadrant(width, height, x, y);
            const Rgb c = quadrant == 3 ? kBlack : QuadrantColour(32, quadrant);
            raw.insert(raw.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(quadrant == 3 ? 0 : 255)});
        }
    }
    std::vector<std::uint8_t> out = MakePngHead(width, height, 8, 6);
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

std::vector<std::uint8_t> MakeIconFile(const std::vector<IconFileEntry>& entries, std::uint16_t type) {
    Bytes out;
    out.U16(0).U16(type).U16(static_cast<std::uint16_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IconFileEntry& entry : entries) {
        // Defaults from the image's DIB header (a PNG gives 0, meaning 256).
        const bool dib = entry.data.size() >= 40 && entry.data[0] == 40;
        const auto field = [&](std::size_t at) { return dib ? entry.data[at] | (entry.data[at + 1] << 8) : 0; };
        const int width = field(4), height = field(8) / 2, bits = field(14);
        out.U8(entry.width.value_or(static_cast<std::uint8_t>(width)));
        out.U8(entry.height.value_or(static_cast<std::uint8_t>(height)));
        out.U8(bits < 8 && bits > 0 ? static_cast<std::uint8_t>(1 << bits) : 0);
        out.U8(0);
        out.U16(1);
        out.U16(entry.bitCount.value_or(static_cast<std::uint16_t>(dib ? bits : 32)));
        out.U32(entry.bytesInRes.value_or(static_cast<std::uint32_t>(entry.data.size())));
        out.U32(entry.offset.value_or(offset));
        offset += static_cast<std::uint32_t>(entry.data.size());
    }
    for (const IconFileEntry& entry : entries) out.Append(entry.data);
    return out.data();
}

std::vector<std::uint8_t> MakeMixedIconFile(int images) {
    const int sizes[] = {16, 32, 48};
    const int depths[] = {4, 8, 32};
    std::vector<IconFileEntry> entries;
    for (int i = 0; i < images; ++i) entries.push_back({MakeDibImage(sizes[i % 3], sizes[i % 3], depths[i / 3 % 3])});
    return MakeIconFile(entries);
}

}  // namespace ph::testing
