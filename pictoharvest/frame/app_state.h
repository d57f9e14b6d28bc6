#pragma once
// Values the whole program shares, set once at start-up and read by every
// pane and dialog.
#include <windows.h>

#include <string>

namespace ph {

extern bool UseEnglish;
extern std::string ProgramFolder;   // ends with a backslash
extern std::string ProgramVersion;  // "FileVersion" of our own version resource
extern bool IsWinNT;
extern bool IsWow64;
extern std::string NewFolderName;

// The application's hidden window: owner of the program's message boxes.
HWND ApplicationHandle();

// "IsWow64Process" of kernel32, bound by name; null on systems without it.
using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
extern IsWow64ProcessFunction IsWow64ProcessBinding;

// Work objects the icon readers share: two bitmaps and one icon.
struct SharedPictures {
    HBITMAP first = nullptr;
    HBITMAP second = nullptr;
    HICON icon = nullptr;
};
SharedPictures& SharedWorkPictures();

// Runs once before any window is made: the shared pictures, the default
// new-folder name, the application window and the IsWow64Process binding.
void InitializeUnit();

// Trims a process's working set; process id 0 does nothing and gives 1.
int MinimizeRam(DWORD processId);

}  // namespace ph
