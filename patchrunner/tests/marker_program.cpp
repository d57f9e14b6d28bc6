// Stands in for the main program in the installer's tests: writes its own
// command line into "marker.txt" beside itself and ends. The file appears
// whole, by a rename, so a test that sees it can read it at once.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    *std::strrchr(folder, '\\') = 0;
    char part[MAX_PATH + 16], marker[MAX_PATH + 16];
    wsprintfA(part, "%s\\marker.part", folder);
    wsprintfA(marker, "%s\\marker.txt", folder);
    HANDLE file = CreateFileA(part, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(part, marker, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
