#include "pictoharvest/browser/shell_text.h"

#include <algorithm>

namespace ph {

std::string ZeroTerminatedText(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset >= bytes.size()) return {};
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, bytes.end(), std::uint8_t{0});
    return std::string(begin, end);
}

}  // namespace ph
