// The form layer against the real user32 and comctl32 under Wine.
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "winui/controls.h"
#include "winui/image_list.h"
#include "winui/menu.h"
#include "winui/testing/scripted_prompts.h"

namespace winui {
namespace {

using testing::ScriptedPrompts;

const bool controlsReady = [] {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&init) != FALSE;
}();

class TestForm : public Form {
public:
    TestForm() {
        CreateForm("WinuiTestForm", "Test", {10, 10, 400, 300});
        SetApplicationTitle("Winui Test");
        panel.align = Align::Client;
        panel.Create(*this, {});
        button.Create(panel, {5, 5, 80, 24}, "Go", nullptr);
        Realign();
    }
    Panel panel;
    Button button;
};

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

TEST(WindowBase, KeepsItsObjectUntilTheWindowIsGone) {
    HWND panelWindow;
    {
        TestForm form;
        panelWindow = form.panel.Handle();
        EXPECT_EQ(GetWindowLongPtrA(form.Handle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&form));
        EXPECT_EQ(Window::FromHandle(form.Handle()), &form);
        EXPECT_EQ(Window::FromHandle(form.button.Handle()), &form.button);
        DestroyWindow(form.Handle());
        EXPECT_EQ(form.Handle(), nullptr);
        EXPECT_EQ(form.panel.Handle(), nullptr);
        EXPECT_FALSE(IsWindow(panelWindow));
    }
    // Messages to a window whose object is gone reach no object.
    EXPECT_EQ(Window::FromHandle(panelWindow), nullptr);
}

TEST(ExceptionBoundary, HandlerErrorIsShownAndTheWindowGoesOn) {
    ScriptedPrompts prompts;
    TestForm form;
    int clicks = 0;
    form.button.OnClick = [&] {
        ++clicks;
        if (clicks == 1) throw std::runtime_error("Zugriff verweigert");
    };
    SendMessageA(form.button.Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Zugriff verweigert");
    EXPECT_EQ(prompts.shown()[0].caption, "Winui Test");
    EXPECT_EQ(prompts.shown()[0].flags & (MB_ICONMASK | MB_TYPEMASK), UINT(MB_ICONSTOP | MB_OK));
    // The same handler runs again, and the window still answers.
    SendMessageA(form.button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(prompts.shown().size(), 1u);
    form.SetBounds({10, 10, 500, 350});
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(form.panel.Width(), client.right);
}

TEST(ExceptionBoundary, StartUpErrorIsShownAndTheFormStays) {
    ScriptedPrompts prompts;
    TestForm form;
    bool after = false;
    form.RunCreateHandler([&] {
        throw 42;  // not even a std::exception
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "");
    ShowWindow(form.Handle(), SW_SHOW);
    Pump();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST(Controls, TreeClickSeesTheClickedItemSelected) {
    TestForm form;
    TreeView tree;
    tree.Create(form.panel, {100, 5, 200, 200}, TVS_HASBUTTONS | TVS_SHOWSELALWAYS, nullptr);
    auto add = [&](const char* text) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree.Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    };
    HTREEITEM first = add("first");
    HTREEITEM second = add("second");
    SendMessageA(tree.Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
    std::vector<HTREEITEM> seen;
    tree.OnClick = [&] {
        seen.push_back(reinterpret_cast<HTREEITEM>(SendMessageA(tree.Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
    };
    RECT rect{};
    *reinterpret_cast<HTREEITEM*>(&rect) = second;
    ASSERT_TRUE(SendMessageA(tree.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // The tree follows the mouse until the button comes up: have it queued.
    PostMessageA(tree.Handle(), WM_LBUTTONUP, 0, point);
    SendMessageA(tree.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    Pump();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], second);
}

TEST(Controls, OwnCursorOverTheClientArea) {
    TestForm form;
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    form.button.cursor = hand;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageA(form.button.Handle(), WM_SETCURSOR,
                             reinterpret_cast<WPARAM>(form.button.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), hand);
}

TEST(Menus, BuiltMenuShowsTicksRadioItemsAndLeavesHiddenItemsOut) {
    Menu menu("View");
    MenuItem& bar = menu.Add("Bar", "Leiste");
    bar.SetChecked(true);
    menu.AddSeparator();
    MenuItem& a = menu.Add("A", "Groß");
    MenuItem& b = menu.Add("B", "Klein");
    for (MenuItem* item : {&a, &b}) item->radioItem = true;
    b.SetChecked(true);
    a.SetChecked(true);  // unticks B: one group
    MenuItem& sub = menu.Add("Sort", "Sortieren");
    sub.Add("ByName", "Name");
    menu.AddSeparator();  // would close the menu once the hidden item is gone
    menu.Add("Hidden", "Versteckt").visible = false;
    EXPECT_FALSE(b.Checked());

    BuiltMenu built = BuildMenu(menu.root);
    HMENU handle = built.menu.get();
    ASSERT_EQ(GetMenuItemCount(handle), 5);
    struct Expect { const char* caption; UINT type; UINT state; };
    const Expect expected[] = {
        {"Leiste", MFT_STRING, MFS_CHECKED}, {"", MFT_SEPARATOR, 0},
        {"Groß", MFT_RADIOCHECK, MFS_CHECKED}, {"Klein", MFT_RADIOCHECK, 0}, {"Sortieren", MFT_STRING, 0}};
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ASSERT_TRUE(GetMenuItemInfoA(handle, i, TRUE, &info));
        EXPECT_STREQ(text, expected[i].caption) << i;
        EXPECT_EQ(info.fType & (MFT_SEPARATOR | MFT_RADIOCHECK), expected[i].type) << i;
        EXPECT_EQ(info.fState & MFS_CHECKED, expected[i].state) << i;
        EXPECT_EQ(info.hSubMenu != nullptr, i == 4) << i;
    }
    // Command ids lead back to the items.
    const UINT sortId = GetMenuItemID(GetSubMenu(handle, 4), 0);
    EXPECT_EQ(built.ItemOf(sortId), menu.Find("ByName"));
}

TEST(ImageLists, SharedListSurvivesItsViewAndOwnedListHoldsImages) {
    ImageList owned;
    ASSERT_TRUE(owned.Create(16, 16));
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_EQ(owned.AddIcon(icon), 0);
    {
        ImageList view;
        view.Assign(owned.Handle(), true);
        EXPECT_TRUE(view.Shared());
        view.Clear();  // a view never changes what it looks at
    }
    EXPECT_EQ(ImageList_GetImageCount(owned.Handle()), 1);
}

}  // namespace
}  // namespace winui
