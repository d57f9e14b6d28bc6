// The floor for unpacking an archive: every entry inflated and its CRC-32
// taken, straight from the archive in memory, nothing written.
//   bench_inflate_crc ARCHIVE   prints the entries and bytes it produced
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "pictoharvest/update/zip_format.h"

using namespace ph::update;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: bench_inflate_crc ARCHIVE\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) return 1;
    MemoryZipInput input(bytes);
    const auto position = FindEndRecord(input);
    EndRecord end;
    if (!position || !ReadEndRecord(input, *position, end)) return 1;
    const std::uint64_t before = end.position - (std::uint64_t{end.directoryOffset} + end.directorySize);

    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    std::vector<std::uint8_t> out(16384);
    std::uint64_t at = before + end.directoryOffset, produced = 0;
    int bad = 0;
    for (int i = 0; i < end.entryCount; ++i) {
        CentralRecord central;
        if (at + kCentralRecordSize > bytes.size() || !ParseCentralRecord(std::span(&bytes[at], kCentralRecordSize), central))
            return 1;
        at += kCentralRecordSize + central.nameLength + central.extraLength + central.commentLength;
        LocalHeader local;
        const std::uint64_t header = before + central.localOffset;
        if (!ParseLocalHeader(std::span(&bytes[header], kLocalHeaderSize), local)) return 1;
        const std::uint8_t* data = &bytes[header + kLocalHeaderSize + local.nameLength + local.extraLength];
        std::uint32_t crc = 0;
        if (central.method == kMethodStored) {
            crc = static_cast<std::uint32_t>(crc32(0, data, central.compressedSize));
            produced += central.compressedSize;
        } else {
            inflateReset(&stream);
            stream.next_in = const_cast<std::uint8_t*>(data);
            stream.avail_in = central.compressedSize;
            int status = Z_OK;
            while (status == Z_OK) {
                stream.next_out = out.data();
                stream.avail_out = static_cast<uInt>(out.size());
                status = inflate(&stream, Z_SYNC_FLUSH);
                const std::size_t made = out.size() - stream.avail_out;
                crc = static_cast<std::uint32_t>(crc32(crc, out.data(), static_cast<uInt>(made)));
                produced += made;
            }
        }
        if (crc != central.crc) ++bad;
    }
    inflateEnd(&stream);
    std::printf("%d entries, %llu bytes, %d CRC errors\n", end.entryCount,
                static_cast<unsigned long long>(produced), bad);
    return bad == 0 ? 0 : 1;
}
