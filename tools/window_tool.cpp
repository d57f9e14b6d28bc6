// window_tool wait-idle|close CAPTION [SECONDS]: what make run needs from
// inside Wine. wait-idle waits until a visible top-level window with that
// caption exists and its program waits for input; close asks it to close,
// as a user closing the window would, and waits for its program to end.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && std::strcmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindByCaption(const char* caption, DWORD seconds) {
    const DWORD deadline = GetTickCount() + seconds * 1000;
    do {
        Search search{caption, nullptr};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    } while (GetTickCount() < deadline);
    return nullptr;
}

HANDLE OpenOwner(HWND window, DWORD access) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OpenProcess(access, FALSE, processId);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_tool wait-idle|close CAPTION [SECONDS]\n");
        return 2;
    }
    const DWORD seconds = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 30;
    HWND window = FindByCaption(argv[2], seconds);
    if (!window) {
        std::fprintf(stderr, "window_tool: no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (std::strcmp(argv[1], "wait-idle") == 0) {
        HANDLE process = OpenOwner(window, PROCESS_QUERY_INFORMATION | SYNCHRONIZE);
        if (process) {
            WaitForInputIdle(process, seconds * 1000);
            CloseHandle(process);
        }
        return 0;
    }
    if (std::strcmp(argv[1], "close") == 0) {
        HANDLE process = OpenOwner(window, SYNCHRONIZE);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!process) return 0;
        const DWORD waited = WaitForSingleObject(process, seconds * 1000);
        CloseHandle(process);
        return waited == WAIT_OBJECT_0 ? 0 : 1;
    }
    std::fprintf(stderr, "window_tool: unknown command %s\n", argv[1]);
    return 2;
}
