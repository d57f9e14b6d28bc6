#pragma once
// Saves what the screen shows of a window as a PNG file, for looking at a
// window test's result.
#include <windows.h>

#include <string>

namespace ph::testing {

// True when the file was written.
bool SaveWindowScreenshot(HWND window, const std::string& pngPath);

}  // namespace ph::testing
