#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string_view>

#include "pictoharvest/frame/registry_text.h"

// The first byte picks the registry type; the rest is the value's data,
// as a hand-edited value may hold anything.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint32_t type = data[0] % 14;
    const std::string text = ph::ExtractData(data + 1, type, size - 1);
    const std::string_view raw(reinterpret_cast<const char*>(data + 1), size - 1);
    ph::ParseBinaryText(raw);
    ph::ParseDwordText(raw, ',');
    ph::ParseStoredInt(raw);
    // What a binary value reads as must write back the same bytes.
    if (type == ph::kRegBinary) {
        const auto bytes = ph::ParseBinaryText(text);
        if (!bytes) __builtin_trap();
        const std::size_t kept = size - 1 < ph::kMaxBinaryBytes ? size - 1 : ph::kMaxBinaryBytes;
        if (bytes->size() != kept || !std::equal(bytes->begin(), bytes->end(), data + 1)) __builtin_trap();
    }
    return 0;
}
