#pragma once
// The window base of the form layer. Our own window classes keep `this` in
// GWLP_USERDATA from WM_NCCREATE on; system controls are subclassed. Both
// paths end in one virtual HandleMessage, and no C++ exception ever leaves
// a window procedure: it is shown by ShowException and the program goes on.
#include <windows.h>

#include <exception>
#include <string>

namespace winui {

// The standard display of an exception that escaped an event handler: a
// stop box with the exception's text, captioned with the application title.
void ShowException(const std::string& message);
// Shows the exception being handled (call from inside a catch block).
void ShowCurrentException() noexcept;
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();
// Owner of the exception display (and of the program's message boxes).
void SetApplicationWindow(HWND window);
HWND ApplicationWindow();

// Runs one event handler inside the exception boundary.
template <class F>
void Guard(F&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}

// Redraw off while a window is filled or changed in bulk, on again (and the
// window repainted) when the guard ends. Nested guards keep redraw off until
// the outermost one ends.
// The hourglass while the program is busy; the previous cursor afterwards.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// Handles the messages already waiting, once; a quit request is posted again
// for the main loop.
void ProcessPendingMessages();

class BulkUpdate {
public:
    explicit BulkUpdate(HWND window);
    ~BulkUpdate();
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

private:
    HWND window_;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }
    // The winui object of a window, or nullptr for a window we do not wrap.
    static Window* FromHandle(HWND window);

    // A notification that a child control sent to its parent is offered to
    // the child's own object first (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR...). Return true when handled.
    virtual bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Registers one of our own window classes once per process.
    static void RegisterOwnClass(const char* className, UINT classStyle, HBRUSH background,
                                 HCURSOR cursor);
    HWND CreateOwn(const char* className, DWORD exStyle, const char* caption, DWORD style, int x,
                   int y, int width, int height, HWND parent, UINT id);
    HWND CreateSystem(const char* className, DWORD exStyle, const char* caption, DWORD style,
                      int x, int y, int width, int height, HWND parent, UINT id);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();

    HWND handle_ = nullptr;
    bool subclassed_ = false;
};

}  // namespace winui
