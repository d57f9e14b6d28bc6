// The main window, built for real under Wine: its components, menus, resize
// rules, status bar, exception display and start-up values.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "stored_layout.h"
#include "winui/testing/scripted_prompts.h"

namespace ph {
namespace {

using winui::Align;
using winui::Bounds;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Where a window really is, relative to its parent's client area.
Bounds Placement(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Bounds ClientOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {0, 0, rect.right, rect.bottom};
}

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        InitializeUnit();
    }
    void SetUp() override {
        testing::ClearStoredLayout();
        form = std::make_unique<TForm1>();
        ShowWindow(form->Handle(), SW_SHOWNORMAL);
        SetWindowPos(form->Handle(), nullptr, 1, 1, 950, 600, SWP_NOZORDER);
        Pump();
    }
    void TearDown() override {
        if (form && form->Handle()) DestroyWindow(form->Handle());
        form.reset();
        Pump();
        testing::ClearStoredLayout();
    }
    void Resize(int width, int height) {
        SetWindowPos(form->Handle(), nullptr, 1, 1, width, height, SWP_NOZORDER);
        Pump();
    }
    winui::testing::ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindow, EveryComponentHasItsClassParentAndAlignment) {
    TForm1& f = *form;
    struct Expect {
        winui::Control* control;
        const char* name;
        const char* className;
        HWND parent;
        Align align;
    };
    const Expect table[] = {
        {&f.ToolBar3, "ToolBar3", "ToolbarWindow32", f.Handle(), Align::Top},
        {&f.CoolBar1, "CoolBar1", "ReBarWindow32", f.Handle(), Align::Top},
        {&f.ToolBar1, "ToolBar1", "ToolbarWindow32", f.CoolBar1.Handle(), Align::None},
        {&f.Panel1, "Panel1", "TPanel", f.CoolBar1.Handle(), Align::None},
        {&f.Label5, "Label5", "Static", f.Panel1.Handle(), Align::None},
        {&f.ComboBoxEx1, "ComboBoxEx1", "ComboBoxEx32", f.Panel1.Handle(), Align::None},
        {&f.Label4, "Label4", "Static", f.Panel1.Handle(), Align::None},
        {&f.ComboBox1, "ComboBox1", "ComboBox", f.Panel1.Handle(), Align::None},
        {&f.Panel3, "Panel3", "TPanel", f.Handle(), Align::Left},
        {&f.Panel5, "Panel5", "TPanel", f.Panel3.Handle(), Align::Top},
        {&f.Label1, "Label1", "Static", f.Panel5.Handle(), Align::None},
        {&f.SpeedButton1, "SpeedButton1", "Button", f.Panel5.Handle(), Align::None},
        {&f.TreeView1, "TreeView1", "SysTreeView32", f.Panel3.Handle(), Align::Client},
        {&f.Splitter1, "Splitter1", "TSplitterWE", f.Handle(), Align::Left},
        {&f.ListView1, "ListView1", "SysListView32", f.Handle(), Align::Client},
        {&f.Panel4, "Panel4", "TPanel", f.Handle(), Align::Right},
        {&f.RadioButton1, "RadioButton1", "Button", f.Panel4.Handle(), Align::None},
        {&f.RadioButton2, "RadioButton2", "Button", f.Panel4.Handle(), Align::None},
        {&f.Label3, "Label3", "Static", f.Panel4.Handle(), Align::None},
        {&f.CheckListBox1, "CheckListBox1", "ListBox", f.Panel4.Handle(), Align::None},
        {&f.Splitter2, "Splitter2", "TSplitterNS", f.Handle(), Align::Bottom},
        {&f.Panel2, "Panel2", "TPanel", f.Handle(), Align::Bottom},
        {&f.Panel6, "Panel6", "TPanel", f.Panel2.Handle(), Align::Top},
        {&f.Label2, "Label2", "Static", f.Panel6.Handle(), Align::None},
        {&f.ListViewS, "ListViewS", "SysListView32", f.Panel2.Handle(), Align::Client},
        {&f.StatusBar1, "StatusBar1", "msctls_statusbar32", f.Panel2.Handle(), Align::Bottom},
        {&f.Memo1, "Memo1", "Edit", f.Handle(), Align::None},
    };
    for (const Expect& e : table) {
        ASSERT_TRUE(IsWindow(e.control->Handle())) << e.name;
        EXPECT_EQ(e.control->name, e.name);
        EXPECT_EQ(ClassOf(e.control->Handle()), e.className) << e.name;
        EXPECT_EQ(GetParent(e.control->Handle()), e.parent) << e.name;
        EXPECT_EQ(e.control->align, e.align) << e.name;
        EXPECT_EQ(IsWindowVisible(e.control->Handle()) != FALSE, e.control != &f.Memo1) << e.name;
    }
    EXPECT_EQ(ClassOf(f.Handle()), "TForm1");
    char caption[64] = {};
    GetWindowTextA(f.Handle(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "Pictoharvest");
}

TEST_F(MainWindow, PanesSitWhereTheirAlignmentPutsThem) {
    TForm1& f = *form;
    const Bounds client = ClientOf(f.Handle());
    const Bounds bar = Placement(f.ToolBar3.Handle());
    const Bounds cool = Placement(f.CoolBar1.Handle());
    EXPECT_EQ(bar, (Bounds{0, 0, client.width, 25}));
    EXPECT_EQ(cool, (Bounds{0, 25, client.width, 72}));
    EXPECT_EQ(Placement(f.Panel2.Handle()), (Bounds{0, client.height - 220, client.width, 220}));
    EXPECT_EQ(Placement(f.Splitter2.Handle()), (Bounds{0, client.height - 223, client.width, 3}));
    const int middleTop = 97;
    const int middleHeight = client.height - 223 - middleTop;
    EXPECT_EQ(Placement(f.Panel3.Handle()), (Bounds{0, middleTop, 200, middleHeight}));
    EXPECT_EQ(Placement(f.Splitter1.Handle()), (Bounds{200, middleTop, 3, middleHeight}));
    EXPECT_EQ(Placement(f.Panel4.Handle()), (Bounds{client.width - 244, middleTop, 244, middleHeight}));
    EXPECT_EQ(Placement(f.ListView1.Handle()), (Bounds{203, middleTop, client.width - 447, middleHeight}));
    // Inside the panes.
    EXPECT_EQ(Placement(f.Panel5.Handle()), (Bounds{0, 0, 200, 17}));
    EXPECT_EQ(Placement(f.TreeView1.Handle()), (Bounds{0, 17, 200, middleHeight - 17}));
    EXPECT_EQ(Placement(f.Panel6.Handle()), (Bounds{0, 0, client.width, 20}));
    EXPECT_EQ(Placement(f.StatusBar1.Handle()), (Bounds{0, 195, client.width, 25}));
    EXPECT_EQ(Placement(f.ListViewS.Handle()), (Bounds{0, 20, client.width, 175}));
    EXPECT_EQ(Placement(f.Label1.Handle()).left, 6);
    EXPECT_EQ(Placement(f.Label2.Handle()).left, 24);
    EXPECT_EQ(Placement(f.Label5.Handle()).left, 8);
    EXPECT_EQ(Placement(f.ComboBoxEx1.Handle()).left, 56);
    const Bounds speed = Placement(f.SpeedButton1.Handle());
    EXPECT_EQ(speed.width, 12);
    EXPECT_EQ(speed.height, 12);
    const Bounds radio1 = Placement(f.RadioButton1.Handle());
    const Bounds radio2 = Placement(f.RadioButton2.Handle());
    EXPECT_EQ(radio1, (Bounds{8, 8, 225, 17}));
    EXPECT_EQ(radio2, (Bounds{8, 24, 225, 17}));
    EXPECT_EQ(Placement(f.Label3.Handle()).left, 10);
    EXPECT_EQ(Placement(f.Label3.Handle()).top, 44);
    EXPECT_EQ(Placement(f.CheckListBox1.Handle()), (Bounds{11, 64, 222, middleHeight - 80}));
}

TEST_F(MainWindow, ControlsCarryTheirSettings) {
    TForm1& f = *form;
    // File list: owner data, list view, four columns, several selectable.
    const LONG_PTR listStyle = GetWindowLongPtrA(f.ListView1.Handle(), GWL_STYLE);
    EXPECT_TRUE(listStyle & LVS_OWNERDATA);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(listStyle & LVS_SINGLESEL);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_LIST);
    EXPECT_FALSE(GetWindowLongPtrA(f.ListView1.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const char* captions[] = {"Name", "Größe", "Typ", "Geändert am"};
    ASSERT_EQ(f.ListView1.ColumnCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.ListView1.ColumnCaption(i), captions[i]);
        EXPECT_EQ(f.ListView1.ColumnWidth(i), i == 0 ? 200 : 100);
    }
    // Group list: icons from the left, one selection, ImageList1.
    const LONG_PTR groupStyle = GetWindowLongPtrA(f.ListViewS.Handle(), GWL_STYLE);
    EXPECT_EQ(groupStyle & LVS_TYPEMASK, LVS_ICON);
    EXPECT_TRUE(groupStyle & LVS_ALIGNLEFT);
    EXPECT_FALSE(groupStyle & LVS_EDITLABELS);
    EXPECT_EQ(f.ListViewS.ImageListOf(LVSIL_NORMAL), f.ImageList1.Handle());
    // Tree: no lines, no root buttons, indent 19.
    const LONG_PTR treeStyle = GetWindowLongPtrA(f.TreeView1.Handle(), GWL_STYLE);
    EXPECT_FALSE(treeStyle & (TVS_HASLINES | TVS_LINESATROOT));
    EXPECT_TRUE(treeStyle & TVS_SHOWSELALWAYS);
    EXPECT_EQ(f.TreeView1.Indent(), 19);
    // Image check list: owner drawn, 60 pixels per item, several selectable.
    const LONG_PTR boxStyle = GetWindowLongPtrA(f.CheckListBox1.Handle(), GWL_STYLE);
    EXPECT_TRUE(boxStyle & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(boxStyle & LBS_EXTENDEDSEL);
    EXPECT_EQ(f.CheckListBox1.ItemHeight(), 60);
    EXPECT_EQ(f.CheckListBox1.drawColor, RGB(255, 255, 255));
    // Filter box.
    ASSERT_EQ(f.ComboBox1.Count(), 4);
    const char* filters[] = {"Alle Dateien", "Icondateien", "EXE/DLL-Dateien", "Ico-Dateien"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.ComboBox1.ItemText(i), filters[i]);
    EXPECT_EQ(f.ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(Placement(f.ComboBox1.Handle()).width, 185);
    const HWND addressCombo =
        reinterpret_cast<HWND>(SendMessageA(f.ComboBoxEx1.Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    EXPECT_EQ(SendMessageA(addressCombo, CB_GETMINVISIBLE, 0, 0), 8);
    // Captions.
    EXPECT_EQ(f.Label1.Text(), "Ordner");
    EXPECT_EQ(f.Label2.Text(), "Gefundene Icongruppen");
    EXPECT_EQ(f.Label3.Text(), "Markierte Elemente speichern als");
    EXPECT_EQ(f.Label4.Text(), "Dateifilter");
    EXPECT_EQ(f.Label5.Text(), "Adresse");
    EXPECT_EQ(f.SpeedButton1.Text(), "X");
    EXPECT_EQ(f.RadioButton1.Text(), "Markierte Icons jeweils einzeln speichern");
    EXPECT_EQ(f.RadioButton2.Text(), "Markierte Icons in eine Icondatei speichern");
    EXPECT_TRUE(f.RadioButton1.Checked());
    EXPECT_FALSE(f.RadioButton2.Checked());
    // Status bar panels, cool bar bands, timer, pictures.
    EXPECT_EQ(f.StatusBar1.PanelCount(), 3);
    int edges[3] = {};
    SendMessageA(f.StatusBar1.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 150);
    EXPECT_EQ(edges[1], 550);
    EXPECT_EQ(edges[2], 600);
    ASSERT_EQ(f.CoolBar1.BandCount(), 2);
    EXPECT_EQ(f.CoolBar1.BandChild(0), f.ToolBar1.Handle());
    EXPECT_EQ(f.CoolBar1.BandMinHeight(0), 33);
    EXPECT_EQ(f.CoolBar1.BandChild(1), f.Panel1.Handle());
    EXPECT_EQ(Placement(f.Panel1.Handle()).height, 25);
    EXPECT_TRUE(f.Timer1.Enabled());
    EXPECT_EQ(f.Timer1.Interval(), 1000u);
    int width = 0, height = 0;
    ImageList_GetIconSize(f.ImageList2.Handle(), &width, &height);
    EXPECT_EQ(f.ImageList2.Count(), 7);
    EXPECT_EQ(width, 24);
    ImageList_GetIconSize(f.ImageList6.Handle(), &width, &height);
    EXPECT_EQ(width, 48);
    BITMAP arrow{};
    GetObjectA(f.ImageDown.get(), sizeof(arrow), &arrow);
    EXPECT_EQ(arrow.bmWidth, 7);
    EXPECT_EQ(arrow.bmHeight, 7);
    EXPECT_TRUE(f.SaveDialog1.flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(f.SaveDialog1.flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(f.SaveDialog1.flags & OFN_ENABLESIZING);
}

TEST_F(MainWindow, ToolBarButtonsInOrder) {
    struct Expect {
        const char* name;
        BYTE style;  // BTNS_SEP, BTNS_DROPDOWN or 0
        int imageOrWidth;
        const char* caption;
        winui::Menu* menu;
    };
    TForm1& f = *form;
    const Expect table[] = {
        {"ToolButton1", BTNS_DROPDOWN, 0, "Zurück", &f.PopupLeft},
        {"ToolButton2", BTNS_DROPDOWN, 1, "", &f.PopupRight},
        {"ToolButton3", BTNS_SEP, 8, "", nullptr},
        {"ToolButton4", 0, 2, "", nullptr},
        {"ToolButton5", BTNS_SEP, 8, "", nullptr},
        {"ToolButton6", BTNS_DROPDOWN, 3, "", &f.PopupMenu1},
        {"ToolButton7", 0, 4, "", nullptr},
        {"ToolButton8", BTNS_SEP, 8, "", nullptr},
        {"ToolButton9", 0, 5, "", nullptr},
        {"ToolButton10", BTNS_SEP, 8, "", nullptr},
        {"ToolButton11", 0, 6, "", nullptr},
        {"ToolButton13", BTNS_SEP, 25, "", nullptr},
    };
    ASSERT_EQ(SendMessageA(f.ToolBar1.Handle(), TB_BUTTONCOUNT, 0, 0), 12);
    for (int i = 0; i < 12; ++i) {
        const Expect& e = table[i];
        TBBUTTON button{};
        SendMessageA(f.ToolBar1.Handle(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        const winui::ToolButton& ours = *f.ToolBar1.Buttons()[static_cast<size_t>(i)];
        EXPECT_EQ(ours.name, e.name);
        EXPECT_EQ(button.fsStyle & (BTNS_SEP | BTNS_DROPDOWN), e.style) << e.name;
        EXPECT_EQ(button.iBitmap, e.imageOrWidth) << e.name;
        char text[64] = {};
        SendMessageA(f.ToolBar1.Handle(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, e.caption) << e.name;
        EXPECT_EQ(ours.dropDownMenu, e.menu) << e.name;
        EXPECT_EQ(static_cast<bool>(ours.OnClick), e.style != BTNS_SEP) << e.name;
    }
    EXPECT_EQ(SendMessageA(f.ToolBar1.Handle(), TB_GETIMAGELIST, 0, 0),
              reinterpret_cast<LRESULT>(f.ImageList2.Handle()));
}

// The system menu built from a menu, one line per item: caption, then
// [x] when ticked and (o) for radio items; sub-items indented.
std::string Dump(HMENU menu, int depth = 0) {
    std::ostringstream out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        out << std::string(static_cast<size_t>(depth) * 2, ' ')
            << ((info.fType & MFT_SEPARATOR) ? "-" : text)
            << ((info.fState & MFS_CHECKED) ? " [x]" : "") << ((info.fType & MFT_RADIOCHECK) ? " (o)" : "") << "\n";
        if (info.hSubMenu) out << Dump(info.hSubMenu, depth + 1);
    }
    return out.str();
}

TEST_F(MainWindow, MenusHaveTheirItemsTicksRadioGroupsAndHiddenItems) {
    TForm1& f = *form;
    const char* mainMenu =
        "&Datei\n"
        "&Bearbeiten\n  Alles markieren\n  Markierung umkehren\n  -\n  Speichern als Icon\n"
        "  Speichern als Bitmap\n  Speichern als JPG\n"
        "Ansicht\n  Statusleiste [x]\n  -\n  Große Symbole (o)\n  Kleine Symbole (o)\n  Liste (o)\n"
        "  Details [x] (o)\n  -\n  Symbole anordnen nach\n    Name\n    Größe\n    Typ\n    Datum\n"
        "    Attribute\n  -\n  Aktualisieren\n"
        "?\n  Neue Version verfügbar?\n  -\n  &Optionen\n  -\n  Information\n";
    EXPECT_EQ(Dump(winui::BuildMenu(f.MainMenu1.root, true).menu.get()), mainMenu);
    EXPECT_EQ(Dump(winui::BuildMenu(f.PopupMenu1.root).menu.get()),
              "Große Symbole (o)\nKleine Symbole (o)\nListe (o)\nDetails [x] (o)\n");
    EXPECT_EQ(Dump(winui::BuildMenu(f.PopupMenu2.root).menu.get()),
              "Große Symbole (o)\nKleine Symbole (o)\nListe (o)\nDetails [x] (o)\n-\nSymbole anordnen nach\n"
              "  Name\n  Größe\n  Typ\n  Datum\n  Attribute\n-\nAktualisieren\n");
    EXPECT_EQ(Dump(winui::BuildMenu(f.PopupMenu4.root).menu.get()),
              "Speichern als Icon\nSpeichern als Bitmap\nSpeichern als JPG\n");
    EXPECT_TRUE(f.PopupLeft.root.Items().empty());
    EXPECT_TRUE(f.PopupRight.root.Items().empty());

    // Names; the new-folder entries exist but are hidden.
    for (const char* name : {"NeuerOrdner1", "NeuerOrdner2"}) {
        winui::MenuItem* item = f.FindMenuItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->caption, "Neuer Ordner");
        EXPECT_FALSE(item->visible);
    }
    // Shown again, the entry comes back with its separator line.
    f.FindMenuItem("NeuerOrdner2")->visible = true;
    const std::string popup = Dump(winui::BuildMenu(f.PopupMenu2.root).menu.get());
    EXPECT_EQ(popup.substr(popup.size() - 29), "Aktualisieren\n-\nNeuer Ordner\n");
    const char* named[] = {"Datei1", "Bearbeiten1", "Allesmarkieren1", "Markierungumkehren1",
                           "SpeichernalsIcon1", "SpeichernalsBitmap2", "SpeichernalsJPG2", "Ansicht1",
                           "Statusleiste1", "GroeSymbole1", "KleineSymbole1", "Liste1", "Details1",
                           "Symboleanordnennach1", "Name1", "Gre1", "Typ1", "Datum1", "Attribute1",
                           "Aktualisieren1", "N10", "NeueVersionverfgbar1", "Optionen1", "Information1",
                           "GroeSymbole3", "KleineSymbole3", "Liste3", "Details3", "GroeSymbole2",
                           "KleineSymbole2", "Liste2", "Details2", "Symboleanordnennach2", "Name2", "Gre2",
                           "Typ2", "Datum2", "Attribute2", "Aktualisieren2", "Speichern1",
                           "SpeichernalsBitmap1", "SpeichernalsJPG1"};
    for (const char* name : named) {
        winui::MenuItem* item = f.FindMenuItem(name);
        ASSERT_NE(item, nullptr) << name;
        // Every item that is chosen rather than opened has its handler.
        EXPECT_EQ(static_cast<bool>(item->OnClick), item->Items().empty()) << name;
    }
    // Ticking another view entry moves the tick within its group only.
    f.FindMenuItem("Liste1")->SetChecked(true);
    EXPECT_FALSE(f.FindMenuItem("Details1")->Checked());
    EXPECT_TRUE(f.FindMenuItem("Details2")->Checked());
    EXPECT_TRUE(f.FindMenuItem("Statusleiste1")->Checked());
}

TEST_F(MainWindow, MenuBandShowsTheMainMenuAndFileActsOnItsClick) {
    TForm1& f = *form;
    ASSERT_EQ(SendMessageA(f.ToolBar3.Handle(), TB_BUTTONCOUNT, 0, 0), 4);
    const char* tops[] = {"&Datei", "&Bearbeiten", "Ansicht", "?"};
    for (int i = 0; i < 4; ++i) {
        TBBUTTON button{};
        SendMessageA(f.ToolBar3.Handle(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        char text[64] = {};
        SendMessageA(f.ToolBar3.Handle(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, tops[i]);
    }
    int clicks = 0;
    f.FindMenuItem("Datei1")->OnClick = [&](winui::MenuItem&) { ++clicks; };
    f.ToolBar3.Press("Datei1");
    EXPECT_EQ(clicks, 1);
    // Alt+D reaches the same item through the keyboard.
    SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'd');
    EXPECT_EQ(clicks, 2);
}

TEST_F(MainWindow, WideningWidensOnlyTheAddressBox) {
    TForm1& f = *form;
    auto measure = [&] {
        struct Row { Bounds address, label, filter; } row{Placement(f.ComboBoxEx1.Handle()),
                                                            Placement(f.Label4.Handle()),
                                                            Placement(f.ComboBox1.Handle())};
        return row;
    };
    const auto before = measure();
    EXPECT_EQ(before.address.width, f.Panel1.Width() - 185 - 140);
    Resize(1150, 600);
    const auto after = measure();
    EXPECT_EQ(after.address.width - before.address.width, 200);
    EXPECT_EQ(after.address.left, 56);
    for (const auto* row : {&before, &after}) {
        EXPECT_EQ(row->label.left - row->address.Right(), 10);
        EXPECT_EQ(row->filter.left - row->label.Right(), 4);
        EXPECT_EQ(row->filter.width, 185);
    }
    // The icon panel's list follows the panel's height.
    Resize(1150, 700);
    EXPECT_EQ(Placement(f.CheckListBox1.Handle()).height, Placement(f.Panel4.Handle()).height - 80);
}

TEST_F(MainWindow, PanesGetTheirSizesBackAfterTheWindowWasVerySmall) {
    TForm1& f = *form;
    const int folderPane = Placement(f.Panel3.Handle()).width;
    const int iconPanel = Placement(f.Panel4.Handle()).width;
    const int groupPane = Placement(f.Panel2.Handle()).height;
    const int folderStrip = Placement(f.Panel5.Handle()).height;
    Resize(180, 160);
    EXPECT_LT(Placement(f.Panel4.Handle()).width, iconPanel);  // squeezed for now
    Resize(950, 600);
    EXPECT_EQ(Placement(f.Panel3.Handle()).width, folderPane);
    EXPECT_EQ(Placement(f.Panel4.Handle()).width, iconPanel);
    EXPECT_EQ(Placement(f.Panel2.Handle()).height, groupPane);
    EXPECT_EQ(Placement(f.Panel5.Handle()).height, folderStrip);
}

TEST_F(MainWindow, CloseButtonKeepsTwentyPixelsFromTheFolderPaneEdge) {
    TForm1& f = *form;
    for (int width : {200, 320, 150}) {
        f.Panel3.SetWidth(width);
        Pump();
        const Bounds strip = Placement(f.Panel5.Handle());
        EXPECT_EQ(strip.width, width);
        EXPECT_EQ(Placement(f.SpeedButton1.Handle()).left, width - 20) << width;
        // The splitter and the file list moved along.
        EXPECT_EQ(Placement(f.Splitter1.Handle()).left, width);
        EXPECT_EQ(Placement(f.ListView1.Handle()).left, width + 3);
    }
}

TEST_F(MainWindow, StatusBarShowsProgramAndVersion) {
    EXPECT_EQ(ProgramVersion, "1.0.0.0");
    EXPECT_EQ(form->StatusBar1.PanelText(0), "Pictoharvest Version 1.0.0.0");
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    EXPECT_EQ(ProgramFolder, exe.substr(0, exe.find_last_of('\\') + 1));
    EXPECT_EQ(ProgramFolder.back(), '\\');
}

TEST_F(MainWindow, HandlerExceptionIsShownAndTheWindowKeepsWorking) {
    TForm1& f = *form;
    int ups = 0;
    f.ToolBar1.Find("ToolButton4")->OnClick = [&] {
        ++ups;
        throw std::runtime_error("Ordner nicht gefunden");
    };
    f.ToolBar1.Press("ToolButton4");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Ordner nicht gefunden");
    EXPECT_EQ(prompts.shown()[0].caption, "Pictoharvest");
    EXPECT_EQ(prompts.shown()[0].flags & MB_ICONMASK, UINT(MB_ICONSTOP));
    // Still answering: the resize rule runs and the handler runs again.
    Resize(1050, 600);
    EXPECT_EQ(Placement(f.ComboBoxEx1.Handle()).width, f.Panel1.Width() - 185 - 140);
    f.ToolBar1.Press("ToolButton4");
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(prompts.shown().size(), 2u);
}

TEST_F(MainWindow, StartUpValuesAndSharedSystemImages) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    EXPECT_EQ(IsWinNT, version.dwPlatformId == VER_PLATFORM_WIN32_NT);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    EXPECT_EQ(IsWow64, wow64 != FALSE);
    EXPECT_NE(IsWow64ProcessBinding, nullptr);
    EXPECT_EQ(NewFolderName, "Neuer Ordner");
    EXPECT_TRUE(IsWindow(ApplicationHandle()));
    EXPECT_FALSE(IsWindowVisible(ApplicationHandle()));

    SHFILEINFOA info{};
    auto system = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(form->ListView1.ImageListOf(LVSIL_SMALL), system);
    EXPECT_TRUE(form->listSmallImages.Shared());
    EXPECT_TRUE(form->listLargeImages.Shared());
    EXPECT_TRUE(form->treeImages.Shared());
    // Closing the window leaves the system's list intact.
    const int count = ImageList_GetImageCount(system);
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(form->Handle(), nullptr);
    form.reset();
    EXPECT_EQ(ImageList_GetImageCount(system), count);
    EXPECT_GT(count, 0);
}

TEST(MinimizeRam, ZeroIdDoesNothingAndAnyOtherIdGivesZero) {
    EXPECT_EQ(MinimizeRam(0), 1);
    EXPECT_EQ(MinimizeRam(GetCurrentProcessId()), 0);
    EXPECT_EQ(MinimizeRam(0xFFFFFFF0u), 0);  // no such process: still 0
}

}  // namespace
}  // namespace ph
