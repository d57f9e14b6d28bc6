#pragma once
// The directory of one icon group resource (RT_GROUP_ICON): a 6-byte head
// and 14-byte entries, each naming the RT_ICON resource of one image.
// Portable: no windows.h here.
#include <cstdint>
#include <span>
#include <vector>

namespace ph {

struct GroupDirectoryEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colourCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;  // nID: the image's RT_ICON identifier
};

struct GroupDirectory {
    std::uint16_t declaredCount = 0;  // idCount as stored
    std::vector<GroupDirectoryEntry> entries;
};

enum class GroupDirectoryResult {
    Complete,   // every declared entry was there
    Truncated,  // the count promised more entries than the data holds
    NoHeader,   // shorter than the 6-byte head
};

// Reads only within data: a count larger than the data allows yields the
// entries that are complete.
GroupDirectoryResult ParseGroupDirectory(std::span<const std::uint8_t> data, GroupDirectory& directory);

}  // namespace ph
