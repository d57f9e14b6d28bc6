#include "winui/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace winui {

// ---- Control ---------------------------------------------------------------

void Control::Join(Container* container, const Bounds& bounds) {
    bounds_ = requested_ = bounds;
    parent_ = container;
    if (container) container->AddChild(*this);
}

HWND Control::CreateChild(Container* container, HWND parent, const char* className, DWORD exStyle,
                          const char* caption, DWORD style, const Bounds& bounds) {
    Join(container, bounds);
    visible_ = (style & WS_VISIBLE) != 0;
    return CreateSystem(className, exStyle, caption, style | WS_CHILD, bounds.left, bounds.top,
                        bounds.width, bounds.height, parent, 0);
}

HWND Control::CreateOwnChild(Container* container, HWND parent, const char* className,
                             DWORD exStyle, const char* caption, DWORD style, const Bounds& bounds) {
    Join(container, bounds);
    visible_ = (style & WS_VISIBLE) != 0;
    return CreateOwn(className, exStyle, caption, style | WS_CHILD, bounds.left, bounds.top,
                     bounds.width, bounds.height, parent, 0);
}

void Control::SetBounds(const Bounds& bounds) {
    const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = requested_ = bounds;
    if (Handle()) MoveWindow(Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
    // An aligned control that changes size moves its neighbours.
    if (resized && parent_ && align != Align::None) parent_->Realign(true);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (Handle()) ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
    if (parent_ && align != Align::None) parent_->Realign(true);
}

void Control::SetFont(HFONT font) {
    font_ = font;
    if (Handle()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::string Control::Text() const {
    if (!Handle()) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::string& text) {
    if (Handle()) SetWindowTextA(Handle(), text.c_str());
}

HBRUSH Control::BackgroundBrush() const {
    if (parent_) return parent_->BackgroundBrush();
    return GetSysColorBrush(COLOR_BTNFACE);
}

bool Control::HandleCommand(WORD code) {
    if (code == BN_CLICKED && OnClick) {  // also STN_CLICKED (0)
        OnClick();
        return true;
    }
    if ((code == BN_DOUBLECLICKED || code == STN_DBLCLK) && OnDblClick) {
        OnDblClick();
        return true;
    }
    return false;
}

bool Control::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        result = 0;
        return HandleCommand(HIWORD(wParam));
    }
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (OnNotify && OnNotify(header, result)) return true;
        if (header.code == NM_CLICK && OnClick) {
            OnClick();
            result = 0;
            return true;
        }
        if (header.code == NM_DBLCLK && OnDblClick) {
            OnDblClick();
            result = 0;
            return true;
        }
    }
    return false;
}

void Control::TrackBounds() {
    RECT rect{};
    if (!Handle() || !GetWindowRect(Handle(), &rect) || IsIconic(Handle())) return;
    if (GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
    bounds_ = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED:
            // Bars and bands move their children themselves; keep up with them.
            TrackBounds();
            break;
        case WM_SETCURSOR:
            if (cursor && LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_KEYDOWN:
            if (OnKeyDown) OnKeyDown(static_cast<WORD>(wParam));
            break;
        case WM_KEYUP:
            if (OnKeyUp) OnKeyUp(static_cast<WORD>(wParam));
            break;
        case WM_CONTEXTMENU:
            if (OnContextPopup && reinterpret_cast<HWND>(wParam) == Handle()) {
                OnContextPopup(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

// ---- Container -------------------------------------------------------------

void Container::AddChild(Control& child) {
    if (std::find(children_.begin(), children_.end(), &child) == children_.end())
        children_.push_back(&child);
}

void Container::Realign(bool repaint) {
    if (!Handle()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    std::vector<LayoutItem> items;
    std::vector<Control*> aligned;
    for (Control* child : children_) {
        if (child->align == Align::None) continue;
        // The requested size, not the last placed one: a pane squeezed by a
        // small window gets its size back when the window grows again.
        items.push_back({child->align, child->requested_, child->visible_});
        aligned.push_back(child);
    }
    AlignItems(client.right, client.bottom, items);
    HDWP batch = BeginDeferWindowPos(static_cast<int>(aligned.size()));
    for (size_t i = 0; i < aligned.size(); ++i) {
        Control& child = *aligned[i];
        if (!items[i].visible) continue;
        const Bounds& b = items[i].bounds;
        child.bounds_ = b;
        if (batch && child.Handle())
            batch = DeferWindowPos(batch, child.Handle(), nullptr, b.left, b.top, b.width, b.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) EndDeferWindowPos(batch);
    if (repaint) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Container::SetColor(COLORREF color) {
    color_ = color;
    brush_.reset(color == CLR_INVALID ? nullptr : CreateSolidBrush(color));
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH Container::BackgroundBrush() const {
    return brush_ ? brush_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                Realign();
                if (OnResize) OnResize();
            }
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Controls without their own colour sit on the container's colour.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            if (brush_) SetBkColor(dc, color_);
            return reinterpret_cast<LRESULT>(BackgroundBrush());
        }
        default:
            return Control::HandleMessage(message, wParam, lParam);
    }
}

// ---- Panel -----------------------------------------------------------------

void Panel::Create(Container* container, HWND parent, const Bounds& bounds, COLORREF color) {
    RegisterOwnClass("TPanel", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr);
    SetColor(color);
    CreateOwnChild(container, parent, "TPanel", WS_EX_CONTROLPARENT, "",
                   WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds);
}

void Panel::Create(Container& container, const Bounds& bounds, COLORREF color) {
    Create(&container, container.Handle(), bounds, color);
}

// ---- Splitter --------------------------------------------------------------

void Splitter::Create(Container& container, Align alignment, const Bounds& bounds) {
    const bool vertical = alignment == Align::Left || alignment == Align::Right;
    const char* className = vertical ? "TSplitterWE" : "TSplitterNS";
    RegisterOwnClass(className, CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE),
                     LoadCursor(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
    align = alignment;
    CreateOwnChild(&container, container.Handle(), className, 0, "", WS_VISIBLE, bounds);
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            RECT client{};
            GetClientRect(Handle(), &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (target) {
                dragging_ = true;
                GetCursorPos(&start_);
                startSize_ = (align == Align::Left || align == Align::Right) ? target->Width()
                                                                               : target->Height();
                SetCapture(Handle());
            }
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_ && target && Parent()) {
                POINT now{};
                GetCursorPos(&now);
                RECT client{};
                GetClientRect(Parent()->Handle(), &client);
                int delta = 0;
                int limit = 0;
                switch (align) {
                    case Align::Left: delta = now.x - start_.x; limit = client.right; break;
                    case Align::Right: delta = start_.x - now.x; limit = client.right; break;
                    case Align::Top: delta = now.y - start_.y; limit = client.bottom; break;
                    default: delta = start_.y - now.y; limit = client.bottom; break;
                }
                const int size = std::clamp(startSize_ + delta, minSize,
                                            std::max(minSize, limit - 2 * minSize));
                if (align == Align::Left || align == Align::Right)
                    target->SetWidth(size);
                else
                    target->SetHeight(size);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_) {
                dragging_ = false;
                if (message == WM_LBUTTONUP) ReleaseCapture();
            }
            return 0;
        default:
            return Control::HandleMessage(message, wParam, lParam);
    }
}

// ---- Form ------------------------------------------------------------------

void Form::CreateForm(const char* className, const std::string& caption, const Bounds& bounds) {
    RegisterOwnClass(className, CS_DBLCLKS, nullptr, nullptr);
    Join(nullptr, bounds);
    CreateOwn(className, WS_EX_CONTROLPARENT, caption.c_str(),
              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, bounds.left, bounds.top, bounds.width,
              bounds.height, nullptr, 0);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: {
            bool close = true;
            if (OnClose) {
                // A failing close handler must not keep the window open.
                Guard([&] { OnClose(close); });
            }
            if (close) DestroyWindow(Handle());
            return 0;
        }
        case WM_DESTROY:
            if (isMainForm) PostQuitMessage(0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam > ' ' && OnKeyMenu &&
                OnKeyMenu(static_cast<char>(lParam)))
                return 0;
            return Container::HandleMessage(message, wParam, lParam);
        default:
            return Container::HandleMessage(message, wParam, lParam);
    }
}

// ---- Timer -----------------------------------------------------------------

void Timer::Start(UINT intervalMs) {
    if (!Handle()) {
        RegisterOwnClass("TTimerWindow", 0, nullptr, nullptr);
        CreateOwn("TTimerWindow", 0, "", 0, 0, 0, 0, 0, HWND_MESSAGE, 0);
    }
    interval_ = intervalMs;
    enabled_ = SetTimer(Handle(), 1, intervalMs, nullptr) != 0;
}

void Timer::Stop() {
    if (Handle()) KillTimer(Handle(), 1);
    enabled_ = false;
}

LRESULT Timer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == 1) {
        if (OnTimer) OnTimer();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace winui
