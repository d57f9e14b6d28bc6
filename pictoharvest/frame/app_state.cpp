#include "pictoharvest/frame/app_state.h"

#include "winui/window.h"

namespace ph {

bool UseEnglish = false;
std::string ProgramFolder;
std::string ProgramVersion;
bool IsWinNT = false;
bool IsWow64 = false;
std::string NewFolderName;
IsWow64ProcessFunction IsWow64ProcessBinding = nullptr;

namespace {

HWND applicationWindow = nullptr;

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND ApplicationHandle() { return applicationWindow; }

SharedPictures& SharedWorkPictures() {
    static SharedPictures pictures;
    return pictures;
}

void InitializeUnit() {
    static bool done = false;
    if (done) return;
    done = true;

    SharedPictures& pictures = SharedWorkPictures();
    HDC screen = GetDC(nullptr);
    pictures.first = CreateCompatibleBitmap(screen, 1, 1);
    pictures.second = CreateCompatibleBitmap(screen, 1, 1);
    ReleaseDC(nullptr, screen);
    pictures.icon = nullptr;  // filled by the readers with each icon they make

    NewFolderName = "Neuer Ordner";

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ApplicationProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TApplication";
    RegisterClassA(&windowClass);
    applicationWindow = CreateWindowExA(0, "TApplication", "Pictoharvest", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    winui::SetApplicationWindow(applicationWindow);
    winui::SetApplicationTitle("Pictoharvest");

    if (HMODULE kernel = GetModuleHandleA("kernel32"))
        IsWow64ProcessBinding =
            reinterpret_cast<IsWow64ProcessFunction>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
}

int MinimizeRam(DWORD processId) {
    if (processId == 0) return 1;
    // All access rights as the older systems define them.
    constexpr DWORD kAllAccess = 0x1F0FFF;
    HANDLE process = OpenProcess(kAllAccess, FALSE, processId);
    SetProcessWorkingSetSize(process, static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    if (process) CloseHandle(process);
    return 0;
}

}  // namespace ph
