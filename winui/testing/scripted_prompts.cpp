#include "winui/testing/scripted_prompts.h"

namespace winui::testing {

int ScriptedPrompts::NextButton() {
    if (buttons_.empty()) return IDOK;
    const int button = buttons_.front();
    buttons_.pop_front();
    return button;
}

int ScriptedPrompts::ShowMessageBox(HWND owner, const std::string& text,
                                    const std::string& caption, UINT flags) {
    shown_.push_back({Kind::MessageBox, owner, text, caption, flags, 0});
    return NextButton();
}

int ScriptedPrompts::ShowMessageBoxEx(HWND owner, const std::string& text,
                                      const std::string& caption, UINT flags, WORD language) {
    shown_.push_back({Kind::MessageBoxEx, owner, text, caption, flags, language});
    return NextButton();
}

bool ScriptedPrompts::ShowSaveDialog(HWND owner, SaveDialogRequest& request) {
    shown_.push_back({Kind::SaveDialog, owner, request.title, request.fileName, request.flags, 0});
    lastSave_ = request;
    if (savePaths_.empty()) return false;
    std::optional<std::string> answer = savePaths_.front();
    savePaths_.pop_front();
    if (!answer) return false;
    request.fileName = *answer;
    return true;
}

std::string ScriptedPrompts::ShowFolderDialog(HWND owner, const FolderDialogRequest& request) {
    shown_.push_back({Kind::FolderDialog, owner, request.title, request.initialFolder, request.flags, 0});
    lastFolder_ = request;
    if (folders_.empty()) return {};
    std::string answer = folders_.front();
    folders_.pop_front();
    return answer;
}

bool ScriptedPrompts::ShowColourDialog(HWND owner, COLORREF& colour, DWORD flags) {
    shown_.push_back({Kind::ColourDialog, owner, {}, {}, flags, 0});
    if (colours_.empty()) return false;
    std::optional<COLORREF> answer = colours_.front();
    colours_.pop_front();
    if (!answer) return false;
    colour = *answer;
    return true;
}

}  // namespace winui::testing
