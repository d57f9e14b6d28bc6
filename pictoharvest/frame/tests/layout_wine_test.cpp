// The layout the main window restores at start-up and saves when it closes,
// with the view commands it runs, against the program's own registry key.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pictoharvest/frame/app_state.h"
#include "pictoharvest/frame/main_window.h"
#include "stored_layout.h"
#include "winui/testing/scripted_prompts.h"

namespace ph {
namespace {

using testing::ScopedLayout;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

RECT WindowRect(const TForm1& form) {
    RECT rect{};
    GetWindowRect(form.Handle(), &rect);
    return rect;
}

std::string Stored(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, testing::kOptionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char text[256] = {};
    DWORD size = sizeof text - 1, type = 0;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<missing>";
    if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
    return text;
}

std::vector<int> ColumnWidths(TForm1& form) {
    std::vector<int> widths;
    for (int column = 0; column < form.ListView1.ColumnCount(); ++column)
        widths.push_back(form.ListView1.ColumnWidth(column));
    return widths;
}

// Which of the four view entries carries the tick, in one menu ("1", "2", "3").
std::string TickedView(TForm1& form, const std::string& suffix) {
    std::string ticked;
    for (const char* stem : {"GroeSymbole", "KleineSymbole", "Liste", "Details"}) {
        winui::MenuItem* item = form.FindMenuItem(stem + suffix);
        if (!item) return "<no " + std::string(stem) + suffix + ">";
        if (item->Checked()) ticked += (ticked.empty() ? "" : "+") + std::string(stem);
    }
    return ticked;
}

struct HeaderItem {
    int format = 0;
    HBITMAP bitmap = nullptr;
    std::string text;
    int width = 0;
};

HeaderItem Header(TForm1& form, int column) {
    HWND header = GetDlgItem(form.ListView1.Handle(), 0);
    char text[64] = {};
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_BITMAP | HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return {item.fmt, item.hbm, text, item.cxy};
}

constexpr int kArrowFormat = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;

class Layout : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        InitializeUnit();
    }
    void Close(std::unique_ptr<TForm1>& form) {
        PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
        Pump();
        ASSERT_EQ(form->Handle(), nullptr);
        form.reset();
    }
    winui::testing::ScriptedPrompts prompts;
};

TEST_F(Layout, FirstStartWithAnEmptyKey) {
    ScopedLayout empty;
    TForm1 form;
    const RECT rect = WindowRect(form);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right - rect.left, 950);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_TRUE(form.StatusBar1.Visible());
    EXPECT_TRUE(form.FindMenuItem("Statusleiste1")->Checked());
    EXPECT_EQ(form.ListView1.View(), static_cast<DWORD>(LV_VIEW_LIST));
    EXPECT_EQ(form.listIconSize, static_cast<UINT>(SHGFI_SMALLICON));
    for (const char* suffix : {"1", "2", "3"}) EXPECT_EQ(TickedView(form, suffix), "Details") << suffix;
    EXPECT_EQ(form.Panel3.Width(), 200);
    EXPECT_EQ(form.Panel2.Height(), 220);
    EXPECT_EQ(ColumnWidths(form), (std::vector<int>{200, 100, 100, 100}));
    EXPECT_EQ(Header(form, 0).format & HDF_BITMAP, 0);
}

TEST_F(Layout, ViewCommandsTickAllThreeMenusAndMarkTheHeader) {
    ScopedLayout empty;
    TForm1 form;
    const struct {
        void (TForm1::*command)();
        const char* ticked;
        DWORD view;
        UINT iconSize;
    } cases[] = {
        {&TForm1::GroeSymbole1Click, "GroeSymbole", LV_VIEW_ICON, SHGFI_LARGEICON},
        {&TForm1::KleineSymbole1Click, "KleineSymbole", LV_VIEW_SMALLICON, SHGFI_SMALLICON},
        {&TForm1::Details1Click, "Details", LV_VIEW_DETAILS, SHGFI_SMALLICON},
        {&TForm1::GroeSymbole1Click, "GroeSymbole", LV_VIEW_ICON, SHGFI_LARGEICON},
        {&TForm1::Liste1Click, "Liste", LV_VIEW_LIST, SHGFI_SMALLICON},
    };
    for (const auto& c : cases) {
        (form.*c.command)();
        EXPECT_EQ(form.ListView1.View(), c.view) << c.ticked;
        EXPECT_EQ(form.listIconSize, c.iconSize) << c.ticked;
        for (const char* suffix : {"1", "2", "3"}) EXPECT_EQ(TickedView(form, suffix), c.ticked) << suffix;
    }

    // Details puts the down arrow on the name column, keeping its caption and width.
    form.ListView1.SetColumnWidth(0, 150);
    form.Details1Click();
    HeaderItem name = Header(form, 0);
    EXPECT_EQ(name.format & (kArrowFormat | HDF_JUSTIFYMASK), kArrowFormat);
    EXPECT_EQ(name.bitmap, form.ImageDown.get());
    EXPECT_EQ(name.text, "Name");
    EXPECT_EQ(name.width, 150);
    form.AddBitmapTo(2, true);
    EXPECT_EQ(Header(form, 2).bitmap, form.ImageUp.get());
    EXPECT_EQ(Header(form, 2).format & kArrowFormat, kArrowFormat);
    EXPECT_EQ(Header(form, 2).text, "Typ");
    form.ClearBitmapOnAllBut(2);
    EXPECT_EQ(Header(form, 0).format & kArrowFormat, HDF_STRING);
    EXPECT_EQ(Header(form, 0).text, "Name");
    EXPECT_EQ(Header(form, 2).format & kArrowFormat, kArrowFormat);
    EXPECT_EQ(Header(form, 1).format & HDF_BITMAP, 0);

    // The status bar entry toggles its tick and the bar.
    form.Statusleiste1Click();
    EXPECT_FALSE(form.FindMenuItem("Statusleiste1")->Checked());
    EXPECT_FALSE(form.StatusBar1.Visible());
    EXPECT_FALSE(IsWindowVisible(form.StatusBar1.Handle()));
    form.Statusleiste1Click();
    EXPECT_TRUE(form.FindMenuItem("Statusleiste1")->Checked());
    EXPECT_TRUE(form.StatusBar1.Visible());
}

TEST_F(Layout, StoredValuesAreAppliedAndUnusableOnesFallBack) {
    const struct {
        std::vector<std::pair<const char*, std::string>> stored;
        RECT window;
        int treeWidth, iconBottomHeight;
        std::vector<int> columns;
        DWORD view;
        bool statusBar;
    } cases[] = {
        {{{"left", "40"}, {"top", "50"}, {"width", "700"}, {"height", "500"}}, {40, 50, 740, 550}, 200, 220,
         {200, 100, 100, 100}, LV_VIEW_LIST, true},
        {{{"left", "abc"}, {"top", "12x"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_LIST, true},
        {{{"viewstyle", "3"}, {"statbar", "0"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_DETAILS,
         false},
        {{{"viewstyle", "7"}, {"statbar", "1"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_LIST, true},
        {{{"viewstyle", "0"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_ICON, true},
        {{{"columnswidth", "50;60"}}, {1, 1, 951, 601}, 200, 220, {50, 100, 100, 100}, LV_VIEW_LIST, true},
        {{{"columnswidth", "10;20;30;40;50;60;"}}, {1, 1, 951, 601}, 200, 220, {10, 20, 30, 40}, LV_VIEW_LIST, true},
        {{{"columnswidth", "70;x;-1;90;"}}, {1, 1, 951, 601}, 200, 220, {70, 100, 100, 90}, LV_VIEW_LIST, true},
        {{{"treewidth", "300"}, {"iconbottomwidth", "150"}}, {1, 1, 951, 601}, 300, 150, {200, 100, 100, 100},
         LV_VIEW_LIST, true},
        // Off every monitor: the position falls back, the size stays.
        {{{"left", "5000"}, {"top", "40"}, {"width", "800"}}, {1, 1, 801, 601}, 200, 220, {200, 100, 100, 100},
         LV_VIEW_LIST, true},
        {{{"left", "-2000"}, {"top", "-3000"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_LIST, true},
        // Partly on the screen is still reachable.
        {{{"left", "-900"}, {"top", "-500"}}, {-900, -500, 50, 100}, 200, 220, {200, 100, 100, 100}, LV_VIEW_LIST,
         true},
        // Panes too small to use or larger than the window.
        {{{"treewidth", "5"}, {"iconbottomwidth", "10"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100},
         LV_VIEW_LIST, true},
        {{{"treewidth", "951"}, {"iconbottomwidth", "700"}}, {1, 1, 951, 601}, 200, 220, {200, 100, 100, 100},
         LV_VIEW_LIST, true},
        {{{"treewidth", "600"}, {"width", "500"}}, {1, 1, 501, 601}, 200, 220, {200, 100, 100, 100}, LV_VIEW_LIST,
         true},
    };
    int index = 0;
    for (const auto& c : cases) {
        ScopedLayout layout(c.stored);
        TForm1 form;
        const RECT rect = WindowRect(form);
        EXPECT_EQ(rect.left, c.window.left) << "case " << index;
        EXPECT_EQ(rect.top, c.window.top) << "case " << index;
        EXPECT_EQ(rect.right, c.window.right) << "case " << index;
        EXPECT_EQ(rect.bottom, c.window.bottom) << "case " << index;
        EXPECT_EQ(form.Panel3.Width(), c.treeWidth) << "case " << index;
        EXPECT_EQ(form.Panel2.Height(), c.iconBottomHeight) << "case " << index;
        EXPECT_EQ(ColumnWidths(form), c.columns) << "case " << index;
        EXPECT_EQ(form.ListView1.View(), c.view) << "case " << index;
        EXPECT_EQ(form.StatusBar1.Visible(), c.statusBar) << "case " << index;
        ++index;
    }

    // A number edited by hand as a DWORD counts like its text.
    ScopedLayout layout;
    const DWORD left = 33;
    layout.Set("left", REG_DWORD, &left, sizeof left);
    TForm1 form;
    EXPECT_EQ(WindowRect(form).left, 33);
}

TEST_F(Layout, CloseAndReopenKeepsEveryLayoutValue) {
    ScopedLayout empty;
    auto form = std::make_unique<TForm1>();
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    form->SetBounds({60, 70, 800, 500});
    form->Panel3.SetWidth(250);
    form->Panel2.SetHeight(180);
    form->Statusleiste1Click();
    form->KleineSymbole1Click();
    const std::vector<int> widths{120, 80, 90, 60};
    for (int column = 0; column < 4; ++column) form->ListView1.SetColumnWidth(column, widths[column]);
    Pump();
    Close(form);

    const std::pair<const char*, const char*> stored[] = {
        {"statbar", "0"}, {"columnswidth", "120;80;90;60;"}, {"left", "60"},        {"height", "500"},
        {"top", "70"},    {"width", "800"},                   {"treewidth", "250"}, {"iconbottomwidth", "180"},
        {"viewstyle", "1"},
    };
    for (const auto& [name, text] : stored) EXPECT_EQ(Stored(name), text) << name;

    form = std::make_unique<TForm1>();
    const RECT rect = WindowRect(*form);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 70);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    EXPECT_EQ(form->Panel3.Width(), 250);
    EXPECT_EQ(form->Panel2.Height(), 180);
    EXPECT_FALSE(form->StatusBar1.Visible());
    EXPECT_FALSE(form->FindMenuItem("Statusleiste1")->Checked());
    EXPECT_EQ(form->ListView1.View(), static_cast<DWORD>(LV_VIEW_SMALLICON));
    EXPECT_EQ(TickedView(*form, "1"), "KleineSymbole");
    EXPECT_EQ(ColumnWidths(*form), widths);

    // Details and the status bar back on, then closed maximised: stored with
    // the maximised bounds, back as a normal window there.
    form->Details1Click();
    form->Statusleiste1Click();
    ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
    Pump();
    ASSERT_TRUE(IsZoomed(form->Handle()));
    const RECT maximised = WindowRect(*form);
    Close(form);
    EXPECT_EQ(Stored("viewstyle"), "3");
    EXPECT_EQ(Stored("statbar"), "1");
    EXPECT_EQ(Stored("left"), std::to_string(maximised.left));
    EXPECT_EQ(Stored("width"), std::to_string(maximised.right - maximised.left));

    form = std::make_unique<TForm1>();
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    Pump();
    EXPECT_FALSE(IsZoomed(form->Handle()));
    const RECT again = WindowRect(*form);
    EXPECT_EQ(again.left, maximised.left);
    EXPECT_EQ(again.top, maximised.top);
    EXPECT_EQ(again.right, maximised.right);
    EXPECT_EQ(again.bottom, maximised.bottom);
    EXPECT_EQ(form->ListView1.View(), static_cast<DWORD>(LV_VIEW_DETAILS));
    EXPECT_EQ(Header(*form, 0).bitmap, form->ImageDown.get());
    EXPECT_TRUE(form->StatusBar1.Visible());
    Close(form);
}

}  // namespace
}  // namespace ph
