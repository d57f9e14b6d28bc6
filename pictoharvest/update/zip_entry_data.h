#pragma once
// The data of one entry: stored bytes copied through, or deflated bytes
// through zlib's raw inflate, read from the archive in 16,384-byte blocks,
// with a running CRC-32. Portable: no windows.h here.
#include <cstdint>
#include <memory>

#include <zlib.h>

#include "pictoharvest/update/zip_format.h"
#include "pictoharvest/update/zip_input.h"

namespace ph::update {

constexpr std::size_t kUnzipBlockSize = 16384;

class ZipEntryData {
public:
    ZipEntryData();
    ~ZipEntryData();
    ZipEntryData(const ZipEntryData&) = delete;
    ZipEntryData& operator=(const ZipEntryData&) = delete;

    // Starts reading the data at dataStart (offsets of the ZIP data; bytes
    // before are added). False leaves it unopened: every read then fails.
    bool Open(ZipInput& input, std::uint64_t bytesBefore, const CentralRecord& central, std::uint64_t dataStart);
    bool IsOpen() const { return open_; }

    // Up to count bytes of output: the number produced, 0 at the end, -1 on
    // a read or inflate error.
    long Read(std::uint8_t* buffer, std::size_t count);

    // After the last read: true when exactly the stated size came out, the
    // deflate stream ended there, and the CRC matches.
    bool Finish();
    void Close() { open_ = false; }

private:
    bool Refill();
    bool InflateStarted();

    ZipInput* input_ = nullptr;
    std::unique_ptr<std::uint8_t[]> block_;
    z_stream stream_{};
    bool streamReady_ = false;
    bool open_ = false;
    bool deflated_ = false;
    bool ended_ = false;
    std::uint32_t crc_ = 0;
    std::uint32_t expectedCrc_ = 0;
    std::uint64_t compressedLeft_ = 0;
    std::uint64_t uncompressedLeft_ = 0;
    std::uint64_t readPosition_ = 0;
    // Stored data: the unused part of the block.
    const std::uint8_t* next_ = nullptr;
    std::size_t available_ = 0;
};

}  // namespace ph::update
