#include "winui/toolbar.h"

#include <cctype>

namespace winui {

namespace {
constexpr int kFirstCommand = 100;
}

void ToolBar::Create(Container* container, HWND parent, const Bounds& bounds, DWORD extraStyle,
                     HFONT font) {
    CreateChild(container, parent, TOOLBARCLASSNAMEA, 0, "",
                WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NORESIZE |
                    CCS_NOPARENTALIGN | CCS_NODIVIDER | extraStyle,
                bounds);
    SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(Handle(), TB_SETEXTENDEDSTYLE, 0,
                 TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    SetFont(font);
}

void ToolBar::SetImageList(HIMAGELIST images) {
    SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void ToolBar::SetButtonSize(int width, int height) {
    SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
}

ToolButton& ToolBar::AddButton(const std::string& buttonName, ToolButton::Style style, int image,
                               const std::string& caption) {
    auto button = std::make_unique<ToolButton>();
    button->name = buttonName;
    button->style = style;
    button->image = image;
    button->caption = caption;
    button->commandId = kFirstCommand + static_cast<int>(buttons_.size());
    TBBUTTON info{};
    info.iBitmap = style == ToolButton::Style::Separator ? button->separatorWidth
                   : image >= 0                          ? image
                                                         : I_IMAGENONE;
    info.idCommand = button->commandId;
    info.fsState = TBSTATE_ENABLED;
    info.fsStyle = BTNS_AUTOSIZE;
    if (style == ToolButton::Style::Separator) info.fsStyle = BTNS_SEP;
    if (style == ToolButton::Style::DropDown) info.fsStyle |= BTNS_DROPDOWN;
    if (!caption.empty()) {
        info.fsStyle |= BTNS_SHOWTEXT;
        info.iString = reinterpret_cast<INT_PTR>(button->caption.c_str());
    } else {
        info.iString = -1;
    }
    SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&info));
    buttons_.push_back(std::move(button));
    return *buttons_.back();
}

ToolButton& ToolBar::AddSeparator(const std::string& buttonName, int width) {
    auto button = std::make_unique<ToolButton>();
    button->name = buttonName;
    button->style = ToolButton::Style::Separator;
    button->separatorWidth = width;
    button->commandId = kFirstCommand + static_cast<int>(buttons_.size());
    TBBUTTON info{};
    info.iBitmap = width;
    info.idCommand = button->commandId;
    info.fsStyle = BTNS_SEP;
    info.iString = -1;
    SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&info));
    buttons_.push_back(std::move(button));
    return *buttons_.back();
}

ToolButton* ToolBar::Find(const std::string& buttonName) {
    for (auto& button : buttons_)
        if (button->name == buttonName) return button.get();
    return nullptr;
}

void ToolBar::SetEnabled(const std::string& buttonName, bool enabled) {
    if (ToolButton* button = Find(buttonName))
        SendMessageA(Handle(), TB_ENABLEBUTTON, static_cast<WPARAM>(button->commandId), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool ToolBar::Enabled(const std::string& buttonName) const {
    for (const auto& button : buttons_)
        if (button->name == buttonName)
            return SendMessageA(Handle(), TB_ISBUTTONENABLED, static_cast<WPARAM>(button->commandId), 0) != 0;
    return false;
}

void ToolBar::SetCaption(const std::string& buttonName, const std::string& caption) {
    ToolButton* button = Find(buttonName);
    if (!button) return;
    button->caption = caption;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<char*>(button->caption.c_str());
    SendMessageA(Handle(), TB_SETBUTTONINFOA, static_cast<WPARAM>(button->commandId),
                 reinterpret_cast<LPARAM>(&info));
}

RECT ToolBar::ButtonRect(const ToolButton& button) const {
    RECT rect{};
    SendMessageA(Handle(), TB_GETRECT, static_cast<WPARAM>(button.commandId), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void ToolBar::Press(const std::string& buttonName) {
    ToolButton* button = Find(buttonName);
    if (!button) return;
    SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(button->commandId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Handle()));
}

void ToolBar::DropDown(ToolButton& button) {
    if (!button.dropDownMenu) return;
    RECT rect = ButtonRect(button);
    MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    SendMessageA(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(button.commandId), TRUE);
    button.dropDownMenu->Popup(GetAncestor(Handle(), GA_ROOT), rect.left, rect.bottom);
    SendMessageA(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(button.commandId), FALSE);
}

bool ToolBar::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        for (auto& button : buttons_) {
            if (button->commandId != id) continue;
            result = 0;
            if (button->OnClick) button->OnClick();
            return true;
        }
        return false;
    }
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.code == TBN_DROPDOWN) {
            auto& notify = *reinterpret_cast<NMTOOLBARA*>(lParam);
            for (auto& button : buttons_) {
                if (button->commandId != notify.iItem) continue;
                DropDown(*button);
                result = TBDDRET_DEFAULT;
                return true;
            }
        }
        if (header.code == NM_CUSTOMDRAW && background != CLR_INVALID && !OnNotify) {
            auto& draw = *reinterpret_cast<NMTBCUSTOMDRAW*>(lParam);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                RECT client{};
                GetClientRect(Handle(), &client);
                HBRUSH brush = CreateSolidBrush(background);
                FillRect(draw.nmcd.hdc, &client, brush);
                DeleteObject(brush);
            }
            result = CDRF_DODEFAULT;
            return true;
        }
    }
    return Control::HandleReflected(message, wParam, lParam, result);
}

// ---- MenuBar ---------------------------------------------------------------

void MenuBar::SetMenu(Menu* menu) {
    menu_ = menu;
    while (SendMessageA(Handle(), TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(Handle(), TB_DELETEBUTTON, 0, 0);
    buttons_.clear();
    if (!menu) return;
    for (auto& item : menu->root.Items()) {
        if (!item->visible || item->IsSeparator()) continue;
        MenuItem* top = item.get();
        ToolButton& button = AddButton(top->name, ToolButton::Style::Button, -1, top->caption);
        ToolButton* self = &button;
        button.OnClick = [this, top, self] { Activate(*top, *self); };
    }
    SendMessageA(Handle(), TB_AUTOSIZE, 0, 0);
}

void MenuBar::Open(const std::string& topItemName) {
    ToolButton* button = Find(topItemName);
    MenuItem* top = menu_ ? menu_->Find(topItemName) : nullptr;
    if (button && top) Activate(*top, *button);
}

bool MenuBar::OpenMnemonic(char key) {
    if (!menu_) return false;
    const int wanted = std::toupper(static_cast<unsigned char>(key));
    for (auto& item : menu_->root.Items()) {
        const std::string& caption = item->caption;
        const size_t amp = caption.find('&');
        if (!item->visible || amp == std::string::npos || amp + 1 >= caption.size()) continue;
        if (std::toupper(static_cast<unsigned char>(caption[amp + 1])) != wanted) continue;
        Open(item->name);
        return true;
    }
    return false;
}

namespace {
MenuBar* trackingBar = nullptr;
HHOOK menuHook = nullptr;
POINT lastMouse{};
}  // namespace

int MenuBar::TopIndexAt(POINT screen) const {
    POINT client = screen;
    ScreenToClient(Handle(), &client);
    const int index = static_cast<int>(SendMessageA(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? index : -1;
}

// Lets the user slide from one drop-down to the next, with the mouse or the
// arrow keys, as on a menu bar.
LRESULT CALLBACK MenuBar::MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && trackingBar) {
        const MSG& message = *reinterpret_cast<MSG*>(lParam);
        MenuBar& bar = *trackingBar;
        const int count = static_cast<int>(bar.buttons_.size());
        int target = -1;
        if (message.message == WM_MOUSEMOVE) {
            // The menu loop reports the pointer once when it opens; only a
            // real move counts.
            if (message.pt.x != lastMouse.x || message.pt.y != lastMouse.y) {
                lastMouse = message.pt;
                target = bar.TopIndexAt(message.pt);
            }
        } else if (message.message == WM_KEYDOWN && count > 0 &&
                   (message.wParam == VK_LEFT || message.wParam == VK_RIGHT)) {
            // Right only leaves a menu that has no sub-menu open.
            HMENU menu = reinterpret_cast<HMENU>(SendMessageA(message.hwnd, MN_GETHMENU, 0, 0));
            bool onSubMenu = false;
            if (menu && message.wParam == VK_RIGHT) {
                for (int i = 0; i < GetMenuItemCount(menu); ++i)
                    if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) && GetSubMenu(menu, i))
                        onSubMenu = true;
            }
            if (!onSubMenu)
                target = (bar.openIndex_ + (message.wParam == VK_RIGHT ? 1 : count - 1)) % count;
        }
        if (target >= 0 && target != bar.openIndex_) {
            bar.switchTo_ = target;
            SendMessageA(GetAncestor(bar.Handle(), GA_ROOT), WM_CANCELMODE, 0, 0);
            return 1;
        }
    }
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

void MenuBar::Activate(MenuItem& top, ToolButton& button) {
    if (top.Items().empty()) {
        top.Click();
        return;
    }
    MenuItem* current = &top;
    ToolButton* currentButton = &button;
    while (current && currentButton) {
        openIndex_ = -1;
        for (size_t i = 0; i < buttons_.size(); ++i)
            if (buttons_[i].get() == currentButton) openIndex_ = static_cast<int>(i);
        switchTo_ = -1;
        RECT rect = ButtonRect(*currentButton);
        MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        SendMessageA(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(currentButton->commandId), TRUE);
        trackingBar = this;
        GetCursorPos(&lastMouse);
        menuHook = SetWindowsHookExA(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
        MenuItem* chosen = nullptr;
        try {
            BuiltMenu built = BuildMenu(*current);
            SetForegroundWindow(GetAncestor(Handle(), GA_ROOT));
            const UINT id = static_cast<UINT>(TrackPopupMenuEx(
                built.menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL,
                rect.left, rect.bottom, GetAncestor(Handle(), GA_ROOT), nullptr));
            chosen = built.ItemOf(id);
        } catch (...) {
        }
        if (menuHook) UnhookWindowsHookEx(menuHook);
        menuHook = nullptr;
        trackingBar = nullptr;
        SendMessageA(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(currentButton->commandId), FALSE);
        SendMessageA(Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        if (chosen) {
            chosen->Click();
            return;
        }
        // Moved on to another top item: open it, unless it acts on its click.
        current = nullptr;
        currentButton = nullptr;
        if (switchTo_ >= 0 && menu_) {
            currentButton = buttons_[static_cast<size_t>(switchTo_)].get();
            current = menu_->Find(currentButton->name);
            if (current && current->Items().empty()) return;
        }
    }
}

// ---- CoolBar ---------------------------------------------------------------

void CoolBar::Create(Container& parent, const Bounds& bounds) {
    CreateChild(&parent, parent.Handle(), REBARCLASSNAMEA, 0, "",
                WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS |
                    CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                bounds);
    REBARINFO info{};
    info.cbSize = sizeof(info);
    SendMessageA(Handle(), RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
}

void CoolBar::AddBand(HWND child, int minHeight, bool newRow) {
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (newRow ? RBBS_BREAK : 0);
    band.hwndChild = child;
    band.cxMinChild = 0;
    band.cyMinChild = static_cast<UINT>(minHeight);
    band.cx = static_cast<UINT>(Width());
    SendMessageA(Handle(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

int CoolBar::BandCount() const { return static_cast<int>(SendMessageA(Handle(), RB_GETBANDCOUNT, 0, 0)); }

HWND CoolBar::BandChild(int index) const {
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD;
    SendMessageA(Handle(), RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
    return band.hwndChild;
}

int CoolBar::BandMinHeight(int index) const {
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILDSIZE;
    SendMessageA(Handle(), RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
    return static_cast<int>(band.cyMinChild);
}

}  // namespace winui
