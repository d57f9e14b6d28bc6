#include "pictoharvest/icons/group_caption.h"

#include <cstdio>

namespace ph {

std::string ModuleBaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string GroupCaption(std::string_view baseName, int index) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", index + 1);
    std::string caption(baseName);
    caption += ' ';
    caption += number;
    return caption;
}

bool IsIconFilePath(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string_view tail = path.substr(path.size() - 4);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return tail[0] == '.' && lower(tail[1]) == 'i' && lower(tail[2]) == 'c' && lower(tail[3]) == 'o';
}

}  // namespace ph
