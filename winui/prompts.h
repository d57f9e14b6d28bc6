#pragma once
// Every modal question the user must answer goes through Prompts. The
// system implementation calls Windows; tests install a scripted one.
#include <windows.h>

#include <string>

namespace winui {

class Prompts {
public:
    virtual ~Prompts() = default;
    // MessageBoxA: the icon readers' boxes.
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                           UINT flags) = 0;
    // MessageBoxExA: the program's own boxes (language id given).
    virtual int ShowMessageBoxEx(HWND owner, const std::string& text, const std::string& caption,
                             UINT flags, WORD language) = 0;
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
