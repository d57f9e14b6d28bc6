#include "winui/window.h"

#include <commctrl.h>

#include <map>

#include "winui/prompts.h"

namespace winui {
namespace {

constexpr char kObjectProperty[] = "winui.object";
constexpr UINT_PTR kSubclassId = 0x57696E;

std::string& TitleStore() {
    static std::string title;
    return title;
}
HWND applicationWindow = nullptr;
bool showingException = false;

// The control that sent a notification to its parent, if it is one of ours.
Window* NotificationSource(UINT message, WPARAM wParam, LPARAM lParam, HWND parent) {
    HWND source = nullptr;
    switch (message) {
        case WM_COMMAND:
            source = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            source = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (wParam != 0) source = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            if (wParam != 0) source = GetDlgItem(parent, static_cast<int>(wParam));
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL:
            source = reinterpret_cast<HWND>(lParam);
            break;
        default:
            return nullptr;
    }
    if (!source || source == parent) return nullptr;
    return Window::FromHandle(source);
}

}  // namespace

void SetApplicationTitle(const std::string& title) { TitleStore() = title; }
const std::string& ApplicationTitle() { return TitleStore(); }
void SetApplicationWindow(HWND window) { applicationWindow = window; }
HWND ApplicationWindow() { return applicationWindow; }

void ShowException(const std::string& message) {
    // A handler that throws while the box is open (a repaint behind it, say)
    // must not stack up boxes.
    if (showingException) return;
    showingException = true;
    try {
        CurrentPrompts().ShowMessageBox(applicationWindow, message, TitleStore(),
                                        MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    } catch (...) {
    }
    showingException = false;
}

void ShowCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        ShowException(error.what());
    } catch (...) {
        ShowException("");
    }
}

Window::~Window() {
    HWND window = handle_;
    Detach();
    if (window && IsWindow(window)) DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) {
    if (!window) return nullptr;
    return static_cast<Window*>(GetPropA(window, kObjectProperty));
}

bool Window::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Window::RegisterOwnClass(const char* className, UINT classStyle, HBRUSH background,
                              HCURSOR cursor) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = OwnProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

HWND Window::CreateOwn(const char* className, DWORD exStyle, const char* caption, DWORD style,
                       int x, int y, int width, int height, HWND parent, UINT id) {
    const bool child = (style & WS_CHILD) != 0;
    HMENU menuOrId = child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, menuOrId,
                    GetModuleHandleA(nullptr), this);
    return handle_;
}

HWND Window::CreateSystem(const char* className, DWORD exStyle, const char* caption, DWORD style,
                          int x, int y, int width, int height, HWND parent, UINT id) {
    HWND window = CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) return nullptr;
    Attach(window);
    subclassed_ = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return window;
}

void Window::Attach(HWND window) {
    handle_ = window;
    SetPropA(window, kObjectProperty, this);
}

void Window::Detach() {
    if (!handle_) return;
    RemovePropA(handle_, kObjectProperty);
    if (subclassed_) {
        RemoveWindowSubclass(handle_, SubclassProc, kSubclassId);
        subclassed_ = false;
    } else {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    }
    handle_ = nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return DefSubclassProc(handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Window* source = NotificationSource(message, wParam, lParam, handle_)) {
        LRESULT result = 0;
        if (source->HandleReflected(message, wParam, lParam, result)) return result;
    }
    if (message == WM_NCDESTROY) {
        HWND window = handle_;
        const bool subclassed = subclassed_;
        Detach();
        return subclassed ? DefSubclassProc(window, message, wParam, lParam)
                          : DefWindowProcA(window, message, wParam, lParam);
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Window::OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* self = static_cast<Window*>(create->lpCreateParams)) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->Attach(window);
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
        return 0;
    }
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Window*>(data);
    if (!self || self->handle_ != window) return DefSubclassProc(window, message, wParam, lParam);
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
        return 0;
    }
}

namespace {
// Open bulk updates per window, so inner guards leave redraw off.
std::map<HWND, int>& OpenBulkUpdates() {
    static std::map<HWND, int> open;
    return open;
}
}  // namespace

BulkUpdate::BulkUpdate(HWND window) : window_(window) {
    if (!window_) return;
    if (OpenBulkUpdates()[window_]++ == 0) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
}

BulkUpdate::~BulkUpdate() {
    if (!window_) return;
    auto& open = OpenBulkUpdates();
    if (--open[window_] > 0) return;
    open.erase(window_);
    if (!IsWindow(window_)) return;
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
WaitCursor::~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursor(nullptr, IDC_ARROW)); }

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace winui
