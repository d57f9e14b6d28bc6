#pragma once
// Menus as a tree of items with captions, ticks, radio groups and hidden
// items. The tree is the truth; a system menu is built from it whenever one
// is shown, so hidden items never reach the screen and ticks are current.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winui/gdi.h"

namespace winui {

class MenuItem {
public:
    MenuItem() = default;
    MenuItem(std::string itemName, std::string itemCaption)
        : name(std::move(itemName)), caption(std::move(itemCaption)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string name;
    std::string caption;  // "-" is a separator line
    bool visible = true;
    bool enabled = true;
    // Radio items of one parent with the same group index form one group:
    // ticking one unticks the others.
    bool radioItem = false;
    int groupIndex = 0;
    int tag = 0;
    std::function<void(MenuItem& sender)> OnClick;

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return caption == "-"; }

    MenuItem& Add(const std::string& itemName, const std::string& itemCaption);
    MenuItem& AddSeparator();
    void Clear() { items_.clear(); }
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    MenuItem* Parent() const { return parent_; }
    // This item or one below it with the given name.
    MenuItem* Find(const std::string& itemName);

    void Click();

private:
    bool checked_ = false;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// A system menu built from a tree: command id n is item byId[n - 1].
struct BuiltMenu {
    OwnedMenu menu;
    std::vector<MenuItem*> byId;
    MenuItem* ItemOf(UINT id) const { return id >= 1 && id <= byId.size() ? byId[id - 1] : nullptr; }
};

// Builds a pop-up menu of the children of `parent` (bar = true: a menu bar).
BuiltMenu BuildMenu(const MenuItem& parent, bool bar = false);

// A main menu or a pop-up menu: its root item holds the top items.
class Menu {
public:
    explicit Menu(std::string menuName = {}) : name(std::move(menuName)) {}
    std::string name;
    MenuItem root;
    // Runs just before the menu opens (the history menus fill themselves).
    std::function<void()> OnPopup;

    MenuItem& Add(const std::string& itemName, const std::string& itemCaption) {
        return root.Add(itemName, itemCaption);
    }
    MenuItem& AddSeparator() { return root.AddSeparator(); }
    MenuItem* Find(const std::string& itemName) { return root.Find(itemName); }

    // Shows the menu at a screen position and runs the chosen item's click.
    // Returns the chosen item, or nullptr when the menu was dismissed.
    MenuItem* Popup(HWND owner, int x, int y, UINT extraFlags = 0);
};

// Shows the children of one item as a pop-up menu; runs the chosen click.
MenuItem* PopupItems(MenuItem& parent, HWND owner, int x, int y, UINT extraFlags = 0,
                     const RECT* exclude = nullptr);

}  // namespace winui
