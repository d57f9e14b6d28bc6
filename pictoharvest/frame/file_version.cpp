#include <windows.h>

#include <cstring>
#include <vector>

#include "pictoharvest/frame/file_version.h"

namespace ph {

unsigned GetFileVersionField(const char* path, const char* field, unsigned capacity, char* destination) {
    if (capacity > 0 && destination) destination[0] = '\0';
    if (!path || !field) return 0;

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return 0;
    std::vector<std::uint8_t> resource(size);
    if (!GetFileVersionInfoA(path, 0, size, resource.data())) return 0;

    void* table = nullptr;
    UINT tableLength = 0;
    if (!VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", &table, &tableLength) || !table)
        return 0;
    const auto first = FirstVersionTranslation({static_cast<const std::uint8_t*>(table), tableLength});
    if (!first) return 0;

    const std::string key = VersionFieldKey(*first, field);
    void* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueA(resource.data(), key.c_str(), &value, &valueLength) || !value) return 0;

    // The reported length may or may not count the terminating zero; the
    // text ends at the first zero within it either way.
    const char* text = static_cast<const char*>(value);
    const std::string_view whole(text, strnlen(text, valueLength));
    CopyVersionText(whole, capacity, destination);
    return static_cast<unsigned>(whole.size());
}

}  // namespace ph
