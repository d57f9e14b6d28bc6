#pragma once
// The layout values in the program's own key, as window tests set them up:
// each test starts from a first start and leaves none behind.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace ph::testing {

inline constexpr char kOptionsKey[] = "Software\\Pictoharvest\\Options";
inline constexpr const char* kLayoutValues[] = {"treewidth", "iconbottomwidth", "left",      "top",         "width",
                                                "height",    "statbar",         "viewstyle", "columnswidth"};

inline void ClearStoredLayout() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    for (const char* name : kLayoutValues) RegDeleteValueA(key, name);
    RegCloseKey(key);
}

// Sets raw values (text unless a type is given); all layout values go at the end.
class ScopedLayout {
public:
    explicit ScopedLayout(const std::vector<std::pair<const char*, std::string>>& texts = {}) {
        ClearStoredLayout();
        for (const auto& [name, text] : texts) Set(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    ~ScopedLayout() { ClearStoredLayout(); }
    ScopedLayout(const ScopedLayout&) = delete;
    ScopedLayout& operator=(const ScopedLayout&) = delete;
    void Set(const char* name, DWORD type, const void* data, DWORD size) const {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

}  // namespace ph::testing
