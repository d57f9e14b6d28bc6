#include "zip_fixture.h"

#include <zlib.h>

#include <stdexcept>

namespace ph::update::testing {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

struct Laid {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> dataOffsets;
};

Laid Lay(const Fixture& fixture) {
    Laid laid;
    std::vector<std::uint8_t> zip;
    std::vector<std::uint8_t> central;
    for (const FixtureEntry& entry : fixture.entries) {
        const std::vector<std::uint8_t> stored = entry.deflate ? RawDeflate(entry.data) : entry.data;
        const std::uint16_t method = entry.method != 0xFFFF ? entry.method : (entry.deflate ? 8 : 0);
        const std::uint32_t crc =
            entry.crc.value_or(static_cast<std::uint32_t>(crc32(0, entry.data.data(), static_cast<uInt>(entry.data.size()))));
        const std::uint32_t usize = entry.uncompressedSize.value_or(static_cast<std::uint32_t>(entry.data.size()));
        const std::uint32_t csize = entry.compressedSize.value_or(static_cast<std::uint32_t>(stored.size()));
        const std::uint16_t flags = entry.flags | (entry.dataDescriptor ? 0x0008 : 0);
        const std::uint32_t localOffset = static_cast<std::uint32_t>(zip.size());

        Put32(zip, 0x04034b50);
        Put16(zip, 20);
        Put16(zip, flags);
        Put16(zip, method);
        Put32(zip, entry.dosTime);
        Put32(zip, entry.dataDescriptor ? 0 : crc);
        Put32(zip, entry.dataDescriptor ? 0 : csize);
        Put32(zip, entry.dataDescriptor ? 0 : usize);
        Put16(zip, static_cast<std::uint32_t>(entry.name.size()));
        Put16(zip, static_cast<std::uint32_t>(entry.localExtra.size()));
        zip.insert(zip.end(), entry.name.begin(), entry.name.end());
        Append(zip, entry.localExtra);
        laid.dataOffsets.push_back(fixture.prefix.size() + zip.size());
        Append(zip, stored);
        if (entry.dataDescriptor) {
            Put32(zip, 0x08074b50);
            Put32(zip, crc);
            Put32(zip, csize);
            Put32(zip, usize);
        }

        Put32(central, 0x02014b50);
        Put16(central, 0x031E);  // made on Unix, so the upper half is a mode
        Put16(central, 20);
        Put16(central, flags);
        Put16(central, method);
        Put32(central, entry.dosTime);
        Put32(central, crc);
        Put32(central, csize);
        Put32(central, usize);
        Put16(central, static_cast<std::uint32_t>(entry.name.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, entry.external);
        Put32(central, localOffset);
        central.insert(central.end(), entry.name.begin(), entry.name.end());
    }
    const std::uint32_t centralOffset = static_cast<std::uint32_t>(zip.size());
    Append(zip, central);
    Put32(zip, 0x06054b50);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, static_cast<std::uint32_t>(fixture.entries.size()));
    Put16(zip, static_cast<std::uint32_t>(fixture.entries.size()));
    Put32(zip, static_cast<std::uint32_t>(central.size()));
    Put32(zip, centralOffset);
    Put16(zip, static_cast<std::uint32_t>(fixture.comment.size()));
    Append(zip, fixture.comment);

    laid.bytes = fixture.prefix;
    Append(laid.bytes, zip);
    return laid;
}

}  // namespace

std::vector<std::uint8_t> BuildZip(const Fixture& fixture) { return Lay(fixture).bytes; }

std::size_t DataOffset(const Fixture& fixture, std::size_t entry) { return Lay(fixture).dataOffsets.at(entry); }

std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> TimestampBlock(std::uint8_t flags, const std::vector<std::int32_t>& times,
                                         std::optional<std::uint16_t> size) {
    std::vector<std::uint8_t> block;
    Put16(block, 0x5455);
    Put16(block, size.value_or(static_cast<std::uint16_t>(1 + 4 * times.size())));
    block.push_back(flags);
    for (std::int32_t t : times) Put32(block, static_cast<std::uint32_t>(t));
    return block;
}

std::uint32_t DosDateTime(int year, int month, int day, int hour, int minute, int second) {
    const std::uint32_t date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
    const std::uint32_t time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
    return (date << 16) | time;
}

}  // namespace ph::update::testing
