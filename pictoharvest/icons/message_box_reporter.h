#pragma once
// Shows each icon reader message in a box with an OK button, captioned with
// the file's full path, owned by the given window.
#include <windows.h>

#include "pictoharvest/icons/icon_read.h"

namespace ph {

class MessageBoxReporter final : public IconReadReporter {
public:
    explicit MessageBoxReporter(HWND owner) : owner_(owner) {}
    void Report(IconReadError error, std::string_view path) override;

private:
    HWND owner_;
};

}  // namespace ph
