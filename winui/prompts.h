#pragma once
// Every modal question the user must answer goes through Prompts. The
// system implementation calls Windows; tests install a scripted one.
#include <windows.h>

#include <string>

namespace winui {

// What the save dialog is asked to show; the chosen path comes back in
// `fileName`.
struct SaveDialogRequest {
    std::string initialDir;   // empty: the dialog's own choice
    std::string defaultExt;   // without the dot
    std::string filter;       // pairs of description and pattern, "|" between
    std::string fileName;     // proposed name in, chosen full path out
    std::string title;
    DWORD flags = OFN_EXPLORER;
};

// The shell's folder dialog: title, BIF_ flags and the folder it opens on.
struct FolderDialogRequest {
    std::string title;
    UINT flags = 0;
    std::string initialFolder;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // MessageBoxA: the icon readers' boxes.
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                           UINT flags) = 0;
    // MessageBoxExA: the program's own boxes (language id given).
    virtual int ShowMessageBoxEx(HWND owner, const std::string& text, const std::string& caption,
                             UINT flags, WORD language) = 0;
    // The dialogs answer "cancelled" unless an implementation shows them, so
    // prompts made for message boxes alone never open a dialog in a test.
    // Returns true and sets request.fileName when the user confirms.
    virtual bool ShowSaveDialog(HWND owner, SaveDialogRequest& request);
    // The chosen folder's path, or empty text when cancelled.
    virtual std::string ShowFolderDialog(HWND owner, const FolderDialogRequest& request);
    // Returns true and sets `colour` when the user confirms a colour.
    virtual bool ShowColourDialog(HWND owner, COLORREF& colour, DWORD flags);
};

// The prompts in force: the system's unless a test installed its own.
Prompts& CurrentPrompts();

// Installs prompts for the lifetime of this object, then puts back the
// previous ones.
class ScopedPrompts {
public:
    explicit ScopedPrompts(Prompts& prompts);
    ~ScopedPrompts();
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

private:
    Prompts* previous_;
};

}  // namespace winui
