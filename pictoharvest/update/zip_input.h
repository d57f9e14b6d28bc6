#pragma once
// The archive as the reader sees it: positioned block reads and a size.
// One virtual call per block, never per byte. Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <span>

namespace ph::update {

class ZipInput {
public:
    virtual ~ZipInput() = default;
    // Reads up to count bytes at offset; got is what was read (fewer at the
    // end). False when the read itself failed.
    virtual bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count, std::size_t& got) = 0;
    virtual std::uint64_t Size() const = 0;

    // All count bytes at offset, or false.
    bool ReadExact(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) {
        std::size_t got = 0;
        return ReadAt(offset, buffer, count, got) && got == count;
    }
};

// Bytes in memory, not copied: they must outlive the input.
class MemoryZipInput final : public ZipInput {
public:
    explicit MemoryZipInput(std::span<const std::uint8_t> data) : data_(data) {}
    bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count, std::size_t& got) override;
    std::uint64_t Size() const override { return data_.size(); }

private:
    std::span<const std::uint8_t> data_;
};

}  // namespace ph::update
