// Settings store: every registry read and write of the program.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "pictoharvest/frame/registry_text.h"
#include "winui/handles.h"

namespace ph {
namespace {

struct KeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using OwnedKey = winui::Owned<KeyTraits>;

HKEY RootKey(int root) {
    switch (root) {
        case 0: return HKEY_CLASSES_ROOT;
        case 1: return HKEY_CURRENT_USER;
        case 2: return HKEY_LOCAL_MACHINE;
        case 3: return HKEY_USERS;
        case 4: return HKEY_CURRENT_CONFIG;
        case 5: return HKEY_DYN_DATA;
        default: return nullptr;
    }
}

char DecimalSeparator() {
    char text[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) < 2) return '.';
    return text[0];
}

}  // namespace

std::string TForm1::ReadReg(int root, const std::string& keyPath, const std::string& valueName,
                            const std::string& /*type*/) {
    try {
        const HKEY rootKey = RootKey(root);
        if (!rootKey) return {};
        HKEY opened = nullptr;
        if (RegOpenKeyExA(rootKey, keyPath.c_str(), 0, AccessMask(false, IsWow64, keyPath), &opened) != ERROR_SUCCESS)
            return {};
        OwnedKey key(opened);
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
        // The value may change between the two queries: read what fits and
        // trust only the size the second query reports.
        std::vector<BYTE> data(size);
        DWORD filled = size;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, size ? data.data() : nullptr, &filled) !=
            ERROR_SUCCESS)
            return {};
        return ExtractData(data.data(), type, std::min<DWORD>(filled, size));
    } catch (...) {
        return {};
    }
}

void TForm1::WriteInReg(int root, const std::string& keyPath, const std::string& valueName,
                        const std::string& data, const std::string& type) {
    const HKEY rootKey = RootKey(root);
    if (!rootKey) return;
    const auto value = DataForLetter(type, data, DecimalSeparator());
    HKEY created = nullptr;
    if (RegCreateKeyExA(rootKey, keyPath.c_str(), 0, nullptr, 0, AccessMask(true, IsWow64, keyPath), nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return;
    OwnedKey key(created);
    if (!value) return;
    RegSetValueExA(key.get(), valueName.c_str(), 0, value->type, value->bytes.data(),
                   static_cast<DWORD>(value->bytes.size()));
}

void TForm1::WriteReg(int root, const std::string& keyPath, const std::string& valueName, const std::string& data,
                      const std::string& type) {
    WriteInReg(root, keyPath, valueName, data, type);
    if (const auto mirror = Wow64MirrorPath(IsWow64, root, keyPath)) WriteInReg(root, *mirror, valueName, data, type);
}

}  // namespace ph
