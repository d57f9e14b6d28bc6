#include <cstddef>
#include <cstdint>

#include "pictoharvest/icons/group_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ph::GroupDirectory directory;
    const auto result = ph::ParseGroupDirectory({data, size}, directory);
    if (directory.entries.size() * 14 + 6 > size && result != ph::GroupDirectoryResult::NoHeader) __builtin_trap();
    if (directory.entries.size() > directory.declaredCount) __builtin_trap();
    return 0;
}
