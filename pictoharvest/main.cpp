// Pictoharvest: unit start-up, the main window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "winui/window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_BAR_CLASSES |
                     ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    ph::InitializeUnit();
    try {
        auto form = std::make_unique<ph::TForm1>();
        ShowWindow(form->Handle(), show);
        UpdateWindow(form->Handle());
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } catch (...) {
        winui::ShowCurrentException();
    }
    return 0;
}
