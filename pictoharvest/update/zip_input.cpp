#include "pictoharvest/update/zip_input.h"

#include <algorithm>
#include <cstring>

namespace ph::update {

bool MemoryZipInput::ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count, std::size_t& got) {
    got = 0;
    if (offset >= data_.size()) return true;
    got = static_cast<std::size_t>(std::min<std::uint64_t>(count, data_.size() - offset));
    if (got != 0) std::memcpy(buffer, data_.data() + offset, got);
    return true;
}

}  // namespace ph::update
