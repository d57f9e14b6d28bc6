#include "prompts.h"

namespace winui {
namespace {

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
};

SystemPrompts systemPrompts;
Prompts* current = &systemPrompts;

}  // namespace

Prompts& CurrentPrompts() { return *current; }

ScopedPrompts::ScopedPrompts(Prompts& prompts) : previous_(current) { current = &prompts; }
ScopedPrompts::~ScopedPrompts() { current = previous_; }

}  // namespace winui
