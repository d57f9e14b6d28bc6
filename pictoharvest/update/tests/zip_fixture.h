#pragma once
// ZIP archives made in code, with the knobs the tests turn: prefix bytes,
// comment, data descriptors, extra fields, times, attributes, damage.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ph::update::testing {

struct FixtureEntry {
    std::string name;
    std::vector<std::uint8_t> data;
    bool deflate = false;
    std::uint16_t method = 0xFFFF;  // 0xFFFF: from deflate
    std::uint16_t flags = 0;
    // Bit 3 set, zero CRC and sizes in the local header, a data descriptor after the data.
    bool dataDescriptor = false;
    std::uint32_t dosTime = 0x584A6B2D;  // 2024-02-10 13:25:26
    std::uint32_t external = 0x81A40000;  // regular file, rw-r--r--
    std::vector<std::uint8_t> localExtra;
    std::optional<std::uint32_t> crc;              // instead of the data's
    std::optional<std::uint32_t> uncompressedSize;  // instead of the data's
    std::optional<std::uint32_t> compressedSize;    // instead of the stored bytes'
};

struct Fixture {
    std::vector<std::uint8_t> prefix;
    std::vector<FixtureEntry> entries;
    std::vector<std::uint8_t> comment;
};

std::vector<std::uint8_t> BuildZip(const Fixture& fixture);
// The data block of an entry in the built archive: offset of its first byte.
std::size_t DataOffset(const Fixture& fixture, std::size_t entry);

std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> Text(const std::string& text);
// 'UT' block with the given flags and times (modification, access, creation order).
std::vector<std::uint8_t> TimestampBlock(std::uint8_t flags, const std::vector<std::int32_t>& times,
                                         std::optional<std::uint16_t> size = std::nullopt);
// DOS date and time, date in the high half.
std::uint32_t DosDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace ph::update::testing
