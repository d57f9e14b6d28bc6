// A small program the file-list tests open with a double-click: it writes
// "marker.txt" beside itself and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string marker(path, length);
    marker = marker.substr(0, marker.find_last_of('\\') + 1) + "marker.txt";
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, "ran", 3, &written, nullptr);
    CloseHandle(file);
    return 0;
}
