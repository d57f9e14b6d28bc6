#pragma once
// Appends little-endian numbers to a byte buffer: the writing side of
// ByteCursor, for the file formats the program writes.
// Portable: no windows.h here.
#include <cstdint>
#include <span>
#include <vector>

namespace ph {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    ByteWriter& U8(std::uint8_t value) {
        out_.push_back(value);
        return *this;
    }
    ByteWriter& U16(std::uint16_t value) { return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8)); }
    ByteWriter& U32(std::uint32_t value) {
        return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
    }
    ByteWriter& Bytes(std::span<const std::uint8_t> bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
        return *this;
    }

private:
    std::vector<std::uint8_t>& out_;
};

}  // namespace ph
