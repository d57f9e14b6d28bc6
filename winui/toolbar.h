#pragma once
// Tool bars, the tool bar that carries a main menu, and the cool bar.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winui/control.h"
#include "winui/menu.h"

namespace winui {

struct ToolButton {
    enum class Style { Button, DropDown, Separator };
    std::string name;
    Style style = Style::Button;
    int image = -1;
    std::string caption;
    int separatorWidth = 8;
    Menu* dropDownMenu = nullptr;
    std::function<void()> OnClick;
    int commandId = 0;
};

class ToolBar : public Control {
public:
    // `parent` is the window the bar lives in (a container or a cool bar).
    void Create(Container* container, HWND parent, const Bounds& bounds, DWORD extraStyle,
                HFONT font);
    void SetImageList(HIMAGELIST images);
    void SetButtonSize(int width, int height);
    ToolButton& AddButton(const std::string& buttonName, ToolButton::Style style, int image,
                          const std::string& caption = {});
    ToolButton& AddSeparator(const std::string& buttonName, int width);
    ToolButton* Find(const std::string& buttonName);
    const std::vector<std::unique_ptr<ToolButton>>& Buttons() const { return buttons_; }
    void SetCaption(const std::string& buttonName, const std::string& caption);
    void SetEnabled(const std::string& buttonName, bool enabled);
    bool Enabled(const std::string& buttonName) const;
    RECT ButtonRect(const ToolButton& button) const;
    // Presses a button as a click would (runs its action or drops its menu).
    void Press(const std::string& buttonName);

    // Drops a button's menu down below it.
    void DropDown(ToolButton& button);
    // Colour behind the buttons; CLR_INVALID shows the parent through.
    COLORREF background = CLR_INVALID;

    bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    std::vector<std::unique_ptr<ToolButton>> buttons_;
};

// A flat tool bar showing the top items of a main menu as buttons: a top
// item with items drops its menu down, one without acts on its click.
class MenuBar : public ToolBar {
public:
    void SetMenu(Menu* menu);
    Menu* GetMenu() const { return menu_; }
    // Opens the menu of one top item, or runs its click when it has none.
    void Open(const std::string& topItemName);
    // Opens the top item whose caption marks this letter with "&".
    bool OpenMnemonic(char key);

private:
    void Activate(MenuItem& top, ToolButton& button);
    // While a drop-down is open: the top button the user moved to, if any.
    static LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam);
    int TopIndexAt(POINT screen) const;
    Menu* menu_ = nullptr;
    int openIndex_ = -1;
    int switchTo_ = -1;
};

// A rebar holding child windows in bands, one band per row.
class CoolBar : public Control {
public:
    void Create(Container& parent, const Bounds& bounds);
    void AddBand(HWND child, int minHeight, bool newRow);
    int BandCount() const;
    HWND BandChild(int band) const;
    int BandMinHeight(int band) const;
};

}  // namespace winui
