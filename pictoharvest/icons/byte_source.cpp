#include "pictoharvest/icons/byte_source.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ph {
namespace {

bool FitsSignedDistance(std::uint32_t offset) { return offset <= 0x7FFFFFFFu; }

}  // namespace

bool MemoryByteSource::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) {
    const std::uint64_t available = position_ < data_.size() ? data_.size() - position_ : 0;
    got = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, available));
    if (got != 0) std::memcpy(buffer, data_.data() + position_, got);
    position_ += got;
    return true;
}

bool MemoryByteSource::SeekFromStart(std::uint32_t offset) {
    if (!FitsSignedDistance(offset)) return false;
    position_ = offset;
    return true;
}

std::unique_ptr<StdioByteSource> StdioByteSource::Open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    return std::make_unique<StdioByteSource>(file);
}

StdioByteSource::~StdioByteSource() { std::fclose(file_); }

bool StdioByteSource::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) {
    got = static_cast<std::uint32_t>(std::fread(buffer, 1, count, file_));
    return got == count || !std::ferror(file_);
}

bool StdioByteSource::SeekFromStart(std::uint32_t offset) {
    if (!FitsSignedDistance(offset)) return false;
    return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
}

std::uint64_t StdioByteSource::Size() {
    const long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) return std::numeric_limits<std::uint64_t>::max();
    const long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end < 0 ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(end);
}

}  // namespace ph
