#pragma once
// The installer's calls into the system, each as thin as it can be.
#include <string>
#include <string_view>

namespace ph::patch {

// Upper case in the user's locale (the system's ANSI code page).
std::string LocaleUpperCase(std::string_view text);

// Asks Windows to restart at once, closing programs by force. True when
// the request was made; every failure on the way is silent.
bool RestartSystem();

// The folder with its contents into the recycle bin, without questions or
// error display.
void DeleteFolder(const std::string& folder);

// Starts the program elevated on Windows 6 and later; not waited for.
void StartProgram(const std::string& path);

}  // namespace ph::patch
