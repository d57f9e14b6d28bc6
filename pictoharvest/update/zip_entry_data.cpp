#include "pictoharvest/update/zip_entry_data.h"

#include <algorithm>
#include <cstring>

namespace ph::update {

ZipEntryData::ZipEntryData() : block_(std::make_unique<std::uint8_t[]>(kUnzipBlockSize)) {}

ZipEntryData::~ZipEntryData() {
    if (streamReady_) inflateEnd(&stream_);
}

// One inflate state serves every entry of the archive; it is reset, not
// rebuilt, per entry.
bool ZipEntryData::InflateStarted() {
    if (streamReady_) return inflateReset(&stream_) == Z_OK;
    stream_ = {};
    streamReady_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
    return streamReady_;
}

bool ZipEntryData::Open(ZipInput& input, std::uint64_t bytesBefore, const CentralRecord& central,
                        std::uint64_t dataStart) {
    open_ = false;
    deflated_ = central.method == kMethodDeflated;
    // Stored data is its own length; anything else is a damaged record.
    if (!deflated_ && central.compressedSize != central.uncompressedSize) return false;
    if (deflated_ && !InflateStarted()) return false;
    input_ = &input;
    ended_ = false;
    crc_ = 0;
    expectedCrc_ = central.crc;
    compressedLeft_ = central.compressedSize;
    uncompressedLeft_ = central.uncompressedSize;
    readPosition_ = bytesBefore + dataStart;
    next_ = block_.get();
    available_ = 0;
    stream_.next_in = block_.get();
    stream_.avail_in = 0;
    open_ = true;
    return true;
}

bool ZipEntryData::Refill() {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kUnzipBlockSize, compressedLeft_));
    if (!input_->ReadExact(readPosition_, block_.get(), count)) return false;
    readPosition_ += count;
    compressedLeft_ -= count;
    next_ = block_.get();
    available_ = count;
    stream_.next_in = block_.get();
    stream_.avail_in = static_cast<uInt>(count);
    return true;
}

long ZipEntryData::Read(std::uint8_t* buffer, std::size_t count) {
    if (!open_) return -1;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, uncompressedLeft_));
    std::size_t produced = 0;
    while (produced < wanted) {
        const std::size_t inputLeft = deflated_ ? stream_.avail_in : available_;
        if (inputLeft == 0 && compressedLeft_ > 0 && !Refill()) return -1;
        if (!deflated_) {
            if (available_ == 0) break;
            const std::size_t n = std::min(available_, wanted - produced);
            std::memcpy(buffer + produced, next_, n);
            next_ += n;
            available_ -= n;
            produced += n;
            continue;
        }
        if (ended_) break;
        const uInt inBefore = stream_.avail_in;
        stream_.next_out = buffer + produced;
        stream_.avail_out = static_cast<uInt>(wanted - produced);
        const int status = inflate(&stream_, Z_SYNC_FLUSH);
        const std::size_t made = wanted - produced - stream_.avail_out;
        produced += made;
        if (status == Z_STREAM_END) {
            ended_ = true;
            break;
        }
        if (status != Z_OK && status != Z_BUF_ERROR) return -1;
        // Nothing taken and nothing made: the data ends short.
        if (made == 0 && stream_.avail_in == inBefore) break;
    }
    crc_ = static_cast<std::uint32_t>(crc32(crc_, buffer, static_cast<uInt>(produced)));
    uncompressedLeft_ -= produced;
    return static_cast<long>(produced);
}

bool ZipEntryData::Finish() {
    if (!open_ || uncompressedLeft_ != 0 || crc_ != expectedCrc_) return false;
    // The deflate stream must end where the stated size ends: more output
    // means the sizes are wrong and some other reader would give other bytes.
    std::uint8_t spare;
    while (deflated_ && !ended_) {
        if (stream_.avail_in == 0 && compressedLeft_ > 0 && !Refill()) return false;
        const uInt inBefore = stream_.avail_in;
        stream_.next_out = &spare;
        stream_.avail_out = 1;
        const int status = inflate(&stream_, Z_SYNC_FLUSH);
        if (stream_.avail_out == 0) return false;
        if (status == Z_STREAM_END) break;
        if (status != Z_OK && status != Z_BUF_ERROR) return false;
        if (stream_.avail_in == inBefore) return false;
    }
    return true;
}

}  // namespace ph::update
