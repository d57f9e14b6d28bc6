#pragma once
// The texts shown for a file's groups and images. Portable: no windows.h here.
#include <string>
#include <string_view>

namespace ph {

// The file name without folder and without its last extension: shell32 for
// C:\Windows\shell32.dll, a.b for a.b.exe, empty for .hidden.
std::string ModuleBaseName(std::string_view path);

// Group j of a file: base name + " " + (j + 1) with at least three digits.
std::string GroupCaption(std::string_view baseName, int index);

// The extension test of the browser: ".ico" in any letter case.
bool IsIconFilePath(std::string_view path);

}  // namespace ph
