#pragma once
// Reads numbers out of a byte range without ever leaving it. A read past the
// end sets a failure flag that stays set; later reads then give zero. So a
// header is parsed as a straight run of reads followed by one check of ok().
// Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <span>

namespace ph {

class ByteCursor {
public:
    ByteCursor() = default;
    explicit ByteCursor(std::span<const std::uint8_t> data) : data_(data) {}
    ByteCursor(const std::uint8_t* data, std::size_t size) : data_(data, size) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    void Fail() { ok_ = false; }

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }

    // Moves to an absolute position; a position past the end fails.
    bool Seek(std::size_t position) {
        if (!ok_ || position > data_.size()) return Failed();
        position_ = position;
        return true;
    }
    bool Skip(std::size_t count) {
        if (!Has(count)) return Failed();
        position_ += count;
        return true;
    }

    std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint16_t U16BE() { return static_cast<std::uint16_t>(Big(2)); }
    std::uint32_t U32BE() { return static_cast<std::uint32_t>(Big(4)); }

    // The next count bytes as a view into the data (empty on failure).
    std::span<const std::uint8_t> Bytes(std::size_t count) {
        if (!Has(count)) {
            Failed();
            return {};
        }
        auto view = data_.subspan(position_, count);
        position_ += count;
        return view;
    }

private:
    bool Has(std::size_t count) const { return ok_ && count <= data_.size() - position_; }
    bool Failed() {
        ok_ = false;
        return false;
    }
    std::uint64_t Little(std::size_t count) {
        if (!Has(count)) return Failed(), 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{data_[position_ + i]} << (8 * i);
        position_ += count;
        return value;
    }
    std::uint64_t Big(std::size_t count) {
        if (!Has(count)) return Failed(), 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i) value = (value << 8) | data_[position_ + i];
        position_ += count;
        return value;
    }

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace ph
