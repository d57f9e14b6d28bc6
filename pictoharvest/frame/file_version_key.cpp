#include <cstdio>
#include <cstring>

#include "pictoharvest/frame/file_version.h"

namespace ph {

std::optional<VersionTranslation> FirstVersionTranslation(std::span<const std::uint8_t> table) {
    if (table.size() < 4) return std::nullopt;
    VersionTranslation first;
    first.language = static_cast<std::uint16_t>(table[0] | (table[1] << 8));
    first.codePage = static_cast<std::uint16_t>(table[2] | (table[3] << 8));
    return first;
}

std::string VersionFieldKey(VersionTranslation translation, std::string_view field) {
    const unsigned long combined = static_cast<unsigned long>(translation.language) * 65536ul + translation.codePage;
    char block[16];
    std::snprintf(block, sizeof block, "%08lx", combined);
    std::string key = "\\StringFileInfo\\";
    key += block;
    key += '\\';
    key += field;
    return key;
}

void CopyVersionText(std::string_view text, unsigned capacity, char* destination) {
    if (capacity == 0 || !destination) return;
    const std::size_t room = capacity - 1;
    if (text.size() + 1 <= room) {
        std::memcpy(destination, text.data(), text.size());
        destination[text.size()] = '\0';
    } else {
        std::memcpy(destination, text.data(), room);
    }
    destination[room] = '\0';
}

}  // namespace ph
