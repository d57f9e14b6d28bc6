#include "winui/menu.h"

namespace winui {

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (checked && radioItem && parent_) {
        for (auto& sibling : parent_->items_)
            if (sibling.get() != this && sibling->radioItem && sibling->groupIndex == groupIndex)
                sibling->checked_ = false;
    }
}

MenuItem& MenuItem::Add(const std::string& itemName, const std::string& itemCaption) {
    items_.push_back(std::make_unique<MenuItem>(itemName, itemCaption));
    items_.back()->parent_ = this;
    return *items_.back();
}

MenuItem& MenuItem::AddSeparator() { return Add("", "-"); }

MenuItem* MenuItem::Find(const std::string& itemName) {
    if (!itemName.empty() && name == itemName) return this;
    for (auto& item : items_)
        if (MenuItem* found = item->Find(itemName)) return found;
    return nullptr;
}

void MenuItem::Click() {
    if (OnClick) OnClick(*this);
}

namespace {

// The items that show: hidden ones go, and so do separator lines that would
// open or close the menu or follow another line.
std::vector<const MenuItem*> Shown(const MenuItem& parent) {
    std::vector<const MenuItem*> shown;
    for (const auto& item : parent.Items()) {
        if (!item->visible) continue;
        if (item->IsSeparator() && (shown.empty() || shown.back()->IsSeparator())) continue;
        shown.push_back(item.get());
    }
    while (!shown.empty() && shown.back()->IsSeparator()) shown.pop_back();
    return shown;
}

void Fill(HMENU menu, const MenuItem& parent, std::vector<MenuItem*>& byId) {
    UINT position = 0;
    for (const MenuItem* shownItem : Shown(parent)) {
        MenuItem* item = const_cast<MenuItem*>(shownItem);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        if (item->IsSeparator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            byId.push_back(item);
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
            info.fType = item->radioItem ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->enabled ? 0 : MFS_DISABLED);
            info.wID = static_cast<UINT>(byId.size());
            info.dwTypeData = const_cast<char*>(item->caption.c_str());
            if (!item->Items().empty()) {
                HMENU sub = CreatePopupMenu();
                Fill(sub, *item, byId);
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = sub;
            }
        }
        InsertMenuItemA(menu, position++, TRUE, &info);
    }
}

}  // namespace

BuiltMenu BuildMenu(const MenuItem& parent, bool bar) {
    BuiltMenu built;
    built.menu.reset(bar ? CreateMenu() : CreatePopupMenu());
    Fill(built.menu.get(), parent, built.byId);
    return built;
}

MenuItem* PopupItems(MenuItem& parent, HWND owner, int x, int y, UINT extraFlags,
                     const RECT* exclude) {
    BuiltMenu built = BuildMenu(parent);
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    if (exclude) params.rcExclude = *exclude;
    // The owner must be in front, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenuEx(
        built.menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | extraFlags,
        x, y, owner, exclude ? &params : nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    MenuItem* chosen = built.ItemOf(id);
    if (chosen) chosen->Click();
    return chosen;
}

MenuItem* Menu::Popup(HWND owner, int x, int y, UINT extraFlags) {
    if (OnPopup) OnPopup();
    return PopupItems(root, owner, x, y, extraFlags);
}

}  // namespace winui
