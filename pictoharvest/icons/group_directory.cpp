#include "pictoharvest/icons/group_directory.h"

#include "pictoharvest/core/byte_cursor.h"

namespace ph {

namespace {
constexpr std::size_t kHeadSize = 6;
constexpr std::size_t kEntrySize = 14;
}  // namespace

GroupDirectoryResult ParseGroupDirectory(std::span<const std::uint8_t> data, GroupDirectory& directory) {
    directory = {};
    ByteCursor cursor(data);
    cursor.U16();  // idReserved, not examined
    cursor.U16();  // idType, not examined
    directory.declaredCount = cursor.U16();
    if (!cursor) return GroupDirectoryResult::NoHeader;

    const std::size_t available = (data.size() - kHeadSize) / kEntrySize;
    const std::size_t count = directory.declaredCount < available ? directory.declaredCount : available;
    directory.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        GroupDirectoryEntry entry;
        entry.width = cursor.U8();
        entry.height = cursor.U8();
        entry.colourCount = cursor.U8();
        entry.reserved = cursor.U8();
        entry.planes = cursor.U16();
        entry.bitCount = cursor.U16();
        entry.bytesInRes = cursor.U32();
        entry.id = cursor.U16();
        directory.entries.push_back(entry);
    }
    return count < directory.declaredCount ? GroupDirectoryResult::Truncated : GroupDirectoryResult::Complete;
}

}  // namespace ph
