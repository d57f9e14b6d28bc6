#pragma once
// Prompts for tests: records every box and dialog the code shows and gives
// the answers the test queued (or a default). Installs itself for its
// lifetime.
#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "winui/prompts.h"

namespace winui::testing {

class ScriptedPrompts : public Prompts {
public:
    enum class Kind { MessageBox, MessageBoxEx, SaveDialog, FolderDialog, ColourDialog };
    struct Shown {
        Kind kind;
        HWND owner;
        std::string text;     // message text, or the dialog's title
        std::string caption;  // message caption, or the proposed file name / initial folder
        UINT flags;
        WORD language;
    };

    ScriptedPrompts() : scope_(*this) {}

    // Answers, taken in order; when none is queued a message box answers
    // IDOK and every dialog is cancelled.
    void QueueButton(int button) { buttons_.push_back(button); }
    void QueueSavePath(std::optional<std::string> path) { savePaths_.push_back(std::move(path)); }
    void QueueFolder(std::string folder) { folders_.push_back(std::move(folder)); }
    void QueueColour(std::optional<COLORREF> colour) { colours_.push_back(colour); }

    const std::vector<Shown>& shown() const { return shown_; }
    const SaveDialogRequest& lastSaveRequest() const { return lastSave_; }
    const FolderDialogRequest& lastFolderRequest() const { return lastFolder_; }
    void Clear() { shown_.clear(); }

    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT flags) override;
    int ShowMessageBoxEx(HWND owner, const std::string& text, const std::string& caption,
                         UINT flags, WORD language) override;
    bool ShowSaveDialog(HWND owner, SaveDialogRequest& request) override;
    std::string ShowFolderDialog(HWND owner, const FolderDialogRequest& request) override;
    bool ShowColourDialog(HWND owner, COLORREF& colour, DWORD flags) override;

private:
    int NextButton();
    ScopedPrompts scope_;
    std::vector<Shown> shown_;
    std::deque<int> buttons_;
    std::deque<std::optional<std::string>> savePaths_;
    std::deque<std::string> folders_;
    std::deque<std::optional<COLORREF>> colours_;
    SaveDialogRequest lastSave_;
    FolderDialogRequest lastFolder_;
};

}  // namespace winui::testing
