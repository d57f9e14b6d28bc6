#include "patchrunner/patch_system.h"

#include <windows.h>
#include <shellapi.h>

namespace ph::patch {

std::string LocaleUpperCase(std::string_view text) {
    std::string upper(text);
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

bool RestartSystem() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // Also ERROR_NOT_ALL_ASSIGNED: the privilege was not granted.
    const DWORD error = GetLastError();
    CloseHandle(token);
    if (error != ERROR_SUCCESS) return false;
    // Planned, operating system, upgrade.
    const DWORD reason = SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OPERATINGSYSTEM |
                         SHTDN_REASON_MINOR_UPGRADE;
    static_assert(reason == 0x80020003);
    return ExitWindowsEx(EWX_REBOOT | EWX_FORCE, reason) != 0;
}

void DeleteFolder(const std::string& folder) {
    // The source list ends with two zero bytes: the string's own and one more.
    std::string from = folder;
    from.push_back('\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = GetForegroundWindow();
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

void StartProgram(const std::string& path) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    const bool elevate = GetVersionExA(&version) && version.dwMajorVersion >= 6;
    ShellExecuteA(nullptr, elevate ? "runas" : nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace ph::patch
