#include "winui/prompts.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace winui {

bool Prompts::ShowSaveDialog(HWND, SaveDialogRequest&) { return false; }
std::string Prompts::ShowFolderDialog(HWND, const FolderDialogRequest&) { return {}; }
bool Prompts::ShowColourDialog(HWND, COLORREF&, DWORD) { return false; }

namespace {

int CALLBACK FolderDialogCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    // Open on the requested folder once the dialog exists.
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

class SystemPrompts final : public Prompts {
public:
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT flags) override {
        return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    }
    int ShowMessageBoxEx(HWND owner, const std::string& text, const std::string& caption,
                     UINT flags, WORD language) override {
        return ::MessageBoxExA(owner, text.c_str(), caption.c_str(), flags, language);
    }

    bool ShowSaveDialog(HWND owner, SaveDialogRequest& request) override {
        // The filter travels as "a|b|c|d"; the dialog wants NUL between the
        // parts and two NULs at the end.
        std::vector<char> filter(request.filter.begin(), request.filter.end());
        for (char& ch : filter)
            if (ch == '|') ch = '\0';
        filter.push_back('\0');
        filter.push_back('\0');
        std::vector<char> file(32768, '\0');
        request.fileName.copy(file.data(), file.size() - 1);
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
        dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
        dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
        dialog.Flags = request.flags;
        if (!GetSaveFileNameA(&dialog)) return false;
        request.fileName = file.data();
        return true;
    }

    std::string ShowFolderDialog(HWND owner, const FolderDialogRequest& request) override {
        char display[MAX_PATH] = {};
        BROWSEINFOA info{};
        info.hwndOwner = owner;
        info.pszDisplayName = display;
        info.lpszTitle = request.title.c_str();
        info.ulFlags = request.flags;
        info.lpfn = FolderDialogCallback;
        info.lParam = request.initialFolder.empty()
                          ? 0
                          : reinterpret_cast<LPARAM>(request.initialFolder.c_str());
        PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
        if (!chosen) return {};
        char path[MAX_PATH] = {};
        const BOOL ok = SHGetPathFromIDListA(chosen, path);
        CoTaskMemFree(chosen);
        return ok ? std::string(path) : std::string();
    }

    bool ShowColourDialog(HWND owner, COLORREF& colour, DWORD flags) override {
        static COLORREF custom[16] = {};
        CHOOSECOLORA dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        dialog.rgbResult = colour;
        dialog.lpCustColors = custom;
        dialog.Flags = flags;
        if (!ChooseColorA(&dialog)) return false;
        colour = dialog.rgbResult;
        return true;
    }
};

SystemPrompts systemPrompts;
Prompts* current = &systemPrompts;

}  // namespace

Prompts& CurrentPrompts() { return *current; }

ScopedPrompts::ScopedPrompts(Prompts& prompts) : previous_(current) { current = &prompts; }
ScopedPrompts::~ScopedPrompts() { current = previous_; }

}  // namespace winui
