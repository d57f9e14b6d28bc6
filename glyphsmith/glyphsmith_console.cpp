#include "glyphsmith/glyphsmith_console.h"

#include <windows.h>

namespace ph::glyphsmith {

namespace {

HANDLE Stream(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    // Started from a console window: borrow that console once.
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached) return nullptr;
    static HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    return console == INVALID_HANDLE_VALUE ? nullptr : console;
}

void Write(DWORD which, std::string_view text) {
    HANDLE handle = Stream(which);
    if (!handle) return;
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0) return;
        text.remove_prefix(written);
    }
}

}  // namespace

void WriteOut(std::string_view text) { Write(STD_OUTPUT_HANDLE, text); }
void WriteError(std::string_view text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace ph::glyphsmith
