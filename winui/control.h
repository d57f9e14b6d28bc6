#pragma once
// Child controls, containers that align them, and the top-level form.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winui/gdi.h"
#include "winui/layout.h"
#include "winui/window.h"

namespace winui {

class Container;

// What every child control has: a name, an alignment and its bounds in the
// parent's client area, visibility, and the common events. A control is a
// non-owning view of its window; the window goes with its parent.
class Control : public Window {
public:
    std::string name;
    Align align = Align::None;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void(WORD key)> OnKeyDown;
    std::function<void(WORD key)> OnKeyUp;
    // Screen position of the request (-1, -1 from the keyboard).
    std::function<void(POINT screen)> OnContextPopup;
    // Any notification the control sends to its parent (WM_NOTIFY): return
    // true and set the result to take it over.
    std::function<bool(NMHDR& header, LRESULT& result)> OnNotify;
    // Cursor over the control's client area; null keeps the class cursor.
    HCURSOR cursor = nullptr;

    const Bounds& GetBounds() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetBounds(const Bounds& bounds);
    void SetLeft(int left) { SetBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
    void SetTop(int top) { SetBounds({bounds_.left, top, bounds_.width, bounds_.height}); }
    void SetWidth(int width) { SetBounds({bounds_.left, bounds_.top, width, bounds_.height}); }
    void SetHeight(int height) { SetBounds({bounds_.left, bounds_.top, bounds_.width, height}); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Font of the control (not owned; fonts live on the form).
    void SetFont(HFONT font);
    HFONT Font() const { return font_; }
    std::string Text() const;
    void SetText(const std::string& text);

    // Brush used behind text drawn on this control (labels ask their parent).
    virtual HBRUSH BackgroundBrush() const;

    Container* Parent() const { return parent_; }

    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Creates a system control as a child of the parent's window and joins
    // the parent's alignment when `container` is given.
    HWND CreateChild(Container* container, HWND parent, const char* className, DWORD exStyle,
                     const char* caption, DWORD style, const Bounds& bounds);
    HWND CreateOwnChild(Container* container, HWND parent, const char* className, DWORD exStyle,
                        const char* caption, DWORD style, const Bounds& bounds);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_COMMAND notification codes sent by this control.
    virtual bool HandleCommand(WORD code);
    void Join(Container* container, const Bounds& bounds);
    void Realigned(const Bounds& bounds) { bounds_ = requested_ = bounds; }
    void TrackBounds();

private:
    friend class Container;
    Container* parent_ = nullptr;
    Bounds bounds_;     // where the control is now
    Bounds requested_;  // the size it was given; alignment may place it smaller for a while
    bool visible_ = true;
    HFONT font_ = nullptr;
};

// A control whose aligned children it places on every size change.
class Container : public Control {
public:
    std::function<void()> OnResize;
    // Places the aligned children; `repaint` redraws the whole container,
    // for when one child changed size and moved its neighbours.
    void Realign(bool repaint = false);
    const std::vector<Control*>& Children() const { return children_; }
    void AddChild(Control& child);
    // Colour of the client area: a system colour index or an RGB value.
    void SetColor(COLORREF color);
    COLORREF Color() const { return color_; }
    HBRUSH BackgroundBrush() const override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<Control*> children_;
    COLORREF color_ = CLR_INVALID;  // the button face colour
    OwnedBrush brush_;
};

// A plain panel without bevel, holding other controls.
class Panel : public Container {
public:
    void Create(Container* container, HWND parent, const Bounds& bounds, COLORREF color = CLR_INVALID);
    void Create(Container& container, const Bounds& bounds, COLORREF color = CLR_INVALID);
};

// A bar between two aligned panes; dragging it resizes `target`.
class Splitter : public Control {
public:
    Control* target = nullptr;
    int minSize = 30;
    void Create(Container& container, Align align, const Bounds& bounds);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool dragging_ = false;
    POINT start_{};
    int startSize_ = 0;
};

// A top-level window that aligns its children. Closing the main form ends
// the message loop.
class Form : public Container {
public:
    // Runs on WM_CLOSE; set `close` to false to keep the window.
    std::function<void(bool& close)> OnClose;
    // Alt with a letter: return true when a menu took the key.
    std::function<bool(char key)> OnKeyMenu;
    bool isMainForm = false;

    void CreateForm(const char* className, const std::string& caption, const Bounds& bounds);
    // Runs a start-up handler in the exception boundary: what it throws is
    // shown, the rest of the handler is skipped, and the form lives on.
    void RunCreateHandler(const std::function<void()>& handler) { Guard(handler); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A timer that lives in its own message-only window.
class Timer : public Window {
public:
    std::function<void()> OnTimer;
    void Start(UINT intervalMs);
    void Stop();
    bool Enabled() const { return enabled_; }
    UINT Interval() const { return interval_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool enabled_ = false;
    UINT interval_ = 0;
};

}  // namespace winui
