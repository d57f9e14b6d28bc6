#pragma once
// Texts the file list and the tree make with the system's locale, and the
// file-system probes that must not raise the system's error dialogs.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ph {

// Upper case as the system's code page has it (CharUpperBuffA).
std::string AnsiUpperCase(std::string_view text);

// "0 KB" for 0 bytes and less; otherwise the kilobytes rounded up, grouped
// by threes with the locale's thousands separator, and " KB".
std::string SizeText(std::int64_t size);

// The day number as the locale writes a date and a time; the time is left
// out at exactly midnight.
std::string DateTimeText(double days);

// A file time in UTC as a local day number; 0 when it cannot be converted.
double LocalDaysFromFileTime(const FILETIME& utc);

// Existence tests with SEM_FAILCRITICALERRORS set (and restored), so a
// drive without a medium raises no dialog.
bool TestDirectoryExists(const std::string& path);
bool TestFileExists(const std::string& path);

// Opens an item with its default verb; the result is ignored.
void ExecuteIDL(HWND window, LPCITEMIDLIST absolute);

}  // namespace ph
