#pragma once
// A file as the icon file reader sees it: reads from the current position,
// moves from the start with a 32-bit signed distance, and knows its size.
// Portable: no windows.h here.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace ph {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to count bytes at the current position. got is the number
    // read (fewer at the end of the data); false when the read failed.
    virtual bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) = 0;
    // Moves to offset from the start. The distance is a signed 32-bit value,
    // so offsets of 0x80000000 and above fail; past the end is allowed.
    virtual bool SeekFromStart(std::uint32_t offset) = 0;
    // Size in bytes; UINT64_MAX when it cannot be told.
    virtual std::uint64_t Size() = 0;
};

// Bytes in memory (not copied: they must outlive the source).
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> data) : data_(data) {}
    bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) override;
    bool SeekFromStart(std::uint32_t offset) override;
    std::uint64_t Size() override { return data_.size(); }

private:
    std::span<const std::uint8_t> data_;
    std::uint64_t position_ = 0;
};

// A file opened with the C library (native tests and tools).
class StdioByteSource final : public ByteSource {
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<StdioByteSource> Open(const std::string& path);
    explicit StdioByteSource(std::FILE* file) : file_(file) {}  // takes ownership
    ~StdioByteSource() override;
    StdioByteSource(const StdioByteSource&) = delete;
    StdioByteSource& operator=(const StdioByteSource&) = delete;
    bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) override;
    bool SeekFromStart(std::uint32_t offset) override;
    std::uint64_t Size() override;

private:
    std::FILE* file_;
};

}  // namespace ph
