// The components of the main window, where they sit and what they call.
#include "pictoharvest/frame/main_window.h"

#include "pictoharvest/frame/toolbar_art.h"

namespace ph {
namespace {

using winui::Align;
using winui::ToolButton;

constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

winui::OwnedBitmap Picture(const std::vector<std::uint32_t>& pixels, int size) {
    return winui::MakeArgbBitmap(size, size, pixels.data());
}

}  // namespace

void TForm1::CreatePictures() {
    ImageList1.Create(32, 32, ILC_COLOR32 | ILC_MASK, 8, 8);
    ImageList2.Create(kToolbarPictureSize, kToolbarPictureSize, ILC_COLOR32, kToolbarPictureCount, 1);
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        winui::OwnedBitmap picture = Picture(ToolbarPicture(i), kToolbarPictureSize);
        ImageList2.AddBitmap(picture.get());
    }
    ImageList4.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList6.Assign(imageCollection.previews(), true);
    ImageDown = Picture(SortArrow(false), kArrowSize);
    ImageUp = Picture(SortArrow(true), kArrowSize);
}

void TForm1::CreateComponents() {
    HFONT font = font_.get();

    // The menu band.
    ToolBar3.name = "ToolBar3";
    ToolBar3.align = Align::Top;
    ToolBar3.Create(this, Handle(), {0, 0, 942, 25}, TBSTYLE_LIST, font);
    ToolBar3.background = kWhite;
    ToolBar3.SetButtonSize(39, 21);

    // The cool bar: the tool bar in band 1, the address row in band 2.
    CoolBar1.name = "CoolBar1";
    CoolBar1.align = Align::Top;
    CoolBar1.Create(*this, {0, 25, 942, 72});

    ToolBar1.name = "ToolBar1";
    ToolBar1.Create(nullptr, CoolBar1.Handle(), {0, 0, 600, 33}, TBSTYLE_LIST, font);
    ToolBar1.SetImageList(ImageList2.Handle());
    ToolBar1.SetButtonSize(67, 30);
    ToolButton& back = ToolBar1.AddButton("ToolButton1", ToolButton::Style::DropDown, 0, "Zurück");
    back.dropDownMenu = &PopupLeft;
    back.OnClick = [this] { ToolButton1Click(); };
    ToolButton& forward = ToolBar1.AddButton("ToolButton2", ToolButton::Style::DropDown, 1);
    forward.dropDownMenu = &PopupRight;
    forward.OnClick = [this] { ToolButton2Click(); };
    ToolBar1.AddSeparator("ToolButton3", 8);
    ToolBar1.AddButton("ToolButton4", ToolButton::Style::Button, 2).OnClick = [this] { ToolButton4Click(); };
    ToolBar1.AddSeparator("ToolButton5", 8);
    ToolButton& views = ToolBar1.AddButton("ToolButton6", ToolButton::Style::DropDown, 3);
    views.dropDownMenu = &PopupMenu1;
    views.OnClick = [this, &views] { ToolBar1.DropDown(views); };
    ToolBar1.AddButton("ToolButton7", ToolButton::Style::Button, 4).OnClick = [this] { Aktualisieren1Click(); };
    ToolBar1.AddSeparator("ToolButton8", 8);
    ToolBar1.AddButton("ToolButton9", ToolButton::Style::Button, 5).OnClick = [this] { NeueVersionverfgbar1Click(); };
    ToolBar1.AddSeparator("ToolButton10", 8);
    ToolBar1.AddButton("ToolButton11", ToolButton::Style::Button, 6).OnClick = [this] { Information1Click(); };
    ToolBar1.AddSeparator("ToolButton13", 25);
    CoolBar1.AddBand(ToolBar1.Handle(), 33, false);

    Panel1.name = "Panel1";
    Panel1.Create(nullptr, CoolBar1.Handle(), {0, 0, 900, 25});
    Label5.name = "Label5";
    Label5.Create(Panel1, {8, 6, 0, 0}, "Adresse", font);
    ComboBoxEx1.name = "ComboBoxEx1";
    ComboBoxEx1.Create(Panel1, {56, 2, 305, 200}, font, 8);
    ComboBoxEx1.SetImageList(ImageList4.Handle());
    Label4.name = "Label4";
    Label4.Create(Panel1, {371, 6, 0, 0}, "Dateifilter", boldFont_.get());
    ComboBox1.name = "ComboBox1";
    ComboBox1.Create(Panel1, {440, 2, 185, 200}, font, 8);
    for (const char* entry : {"Alle Dateien", "Icondateien", "EXE/DLL-Dateien", "Ico-Dateien"})
        ComboBox1.AddItem(entry);
    ComboBox1.SetItemIndex(0);
    CoolBar1.AddBand(Panel1.Handle(), 25, true);

    // The group pane along the bottom, with the status bar, and its splitter.
    Panel2.name = "Panel2";
    Panel2.align = Align::Bottom;
    Panel2.Create(*this, {0, 0, 942, 220}, kWhite);
    Panel6.name = "Panel6";
    Panel6.align = Align::Top;
    Panel6.Create(Panel2, {0, 0, 942, 20}, kWhite);
    Label2.name = "Label2";
    Label2.Create(Panel6, {24, 4, 0, 0}, "Gefundene Icongruppen", boldFont_.get());
    StatusBar1.name = "StatusBar1";
    StatusBar1.align = Align::Bottom;
    StatusBar1.Create(Panel2, {0, 195, 942, 25}, font);
    StatusBar1.SetPanels({150, 400, 50});
    ListViewS.name = "ListViewS";
    ListViewS.align = Align::Client;
    ListViewS.Create(Panel2, {0, 20, 942, 175},
                     LVS_ICON | LVS_ALIGNLEFT | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                         LVS_SHAREIMAGELISTS,
                     font);
    ListViewS.SetImageList(LVSIL_NORMAL, ImageList1.Handle());

    Splitter2.name = "Splitter2";
    Splitter2.Create(*this, Align::Bottom, {0, 0, 942, 3});
    Splitter2.target = &Panel2;

    // The folder pane on the left, with its caption strip.
    Panel3.name = "Panel3";
    Panel3.align = Align::Left;
    Panel3.Create(*this, {0, 0, 200, 300}, kWhite);
    Panel5.name = "Panel5";
    Panel5.align = Align::Top;
    Panel5.Create(Panel3, {0, 0, 200, 17});
    Label1.name = "Label1";
    Label1.Create(Panel5, {6, 2, 0, 0}, "Ordner", font);
    SpeedButton1.name = "SpeedButton1";
    SpeedButton1.Create(Panel5, {180, 2, 12, 12}, "X", speedButtonFont_.get(), BS_FLAT);
    TreeView1.name = "TreeView1";
    TreeView1.align = Align::Client;
    TreeView1.Create(Panel3, {0, 17, 200, 283},
                     TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS, font);
    TreeView1.SetIndent(19);

    Splitter1.name = "Splitter1";
    Splitter1.Create(*this, Align::Left, {200, 0, 3, 300});
    Splitter1.target = &Panel3;

    // The icon panel on the right.
    Panel4.name = "Panel4";
    Panel4.align = Align::Right;
    Panel4.Create(*this, {698, 0, 244, 300});
    RadioButton1.name = "RadioButton1";
    RadioButton1.Create(Panel4, {8, 8, 225, 17}, "Markierte Icons jeweils einzeln speichern", font, true);
    RadioButton1.SetChecked(true);
    RadioButton2.name = "RadioButton2";
    RadioButton2.Create(Panel4, {8, 24, 225, 17}, "Markierte Icons in eine Icondatei speichern", font, false);
    Label3.name = "Label3";
    Label3.Create(Panel4, {10, 44, 0, 0}, "Markierte Elemente speichern als", linkFont_.get());
    Label3.SetTextColor(RGB(0, 0, 0xFF));
    CheckListBox1.name = "CheckListBox1";
    CheckListBox1.Create(Panel4, {11, 64, 222, 220}, font, 60);

    // The file list fills what is left.
    ListView1.name = "ListView1";
    ListView1.align = Align::Client;
    ListView1.Create(*this, {203, 0, 495, 300},
                     LVS_LIST | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
                     font);
    ListView1.AddColumn("Name", 200);
    ListView1.AddColumn("Größe", 100);
    ListView1.AddColumn("Typ", 100);
    ListView1.AddColumn("Geändert am", 100);

    Memo1.name = "Memo1";
    Memo1.Create(*this, {0, 0, 185, 89}, font, false);

    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer1.Start(1000);

    SaveDialog1.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
}

void TForm1::BindEvents() {
    OnResize = [this] { FormResize(); };
    OnClose = [this](bool& close) { FormClose(close); };
    OnKeyMenu = [this](char key) { return ToolBar3.OpenMnemonic(key); };
    Panel5.OnResize = [this] { Panel5Resize(); };

    ComboBox1.OnClick = [this] { ComboBox1Click(); };
    ComboBoxEx1.OnChange = [this] { ComboBoxEx1Change(); };
    SpeedButton1.OnMouseMove = [this](int, int) { SpeedButton1MouseMove(); };

    TreeView1.OnKeyDown = [this](WORD key) { TreeView1KeyDown(key); };
    TreeView1.OnContextPopup = [this](POINT screen) { TreeView1ContextPopup(screen); };
    TreeView1.OnNotify = [this](NMHDR& header, LRESULT& result) {
        switch (header.code) {
            case NM_CLICK:
                TreeView1Click();
                result = 0;
                return true;
            case TVN_ITEMEXPANDINGA:
                result = TreeView1Expanding(reinterpret_cast<NMTREEVIEWA&>(header)) ? FALSE : TRUE;
                return true;
            case TVN_ENDLABELEDITA:
                result = TreeView1Edited(reinterpret_cast<NMTVDISPINFOA&>(header)) ? TRUE : FALSE;
                return true;
            case TVN_DELETEITEMA:
                TreeView1Deletion(reinterpret_cast<NMTREEVIEWA&>(header));
                result = 0;
                return true;
            default:
                return false;
        }
    };

    ListView1.OnKeyDown = [this](WORD key) { ListView1KeyDown(key); };
    ListView1.OnKeyUp = [this](WORD key) { ListView1KeyUp(key); };
    ListView1.OnMouseMove = [this](int x, int y) { ListView1MouseMove(x, y); };
    ListView1.OnContextPopup = [this](POINT screen) { ListView1ContextPopup(screen); };
    ListView1.OnNotify = [this](NMHDR& header, LRESULT& result) {
        switch (header.code) {
            case NM_CLICK:
                ListView1Click();
                result = 0;
                return true;
            case NM_DBLCLK:
                ListView1DblClick();
                result = 0;
                return true;
            case LVN_GETDISPINFOA:
                ListView1Data(reinterpret_cast<NMLVDISPINFOA&>(header));
                result = 0;
                return true;
            case LVN_COLUMNCLICK:
                ListView1ColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
                result = 0;
                return true;
            case LVN_ENDLABELEDITA:
                result = ListView1Edited(reinterpret_cast<NMLVDISPINFOA&>(header)) ? TRUE : FALSE;
                return true;
            default:
                return false;
        }
    };

    ListViewS.OnKeyUp = [this](WORD key) { ListViewSKeyUp(key); };
    ListViewS.OnKeyDown = [this](WORD key) { ListViewSKeyDown(key); };
    ListViewS.OnNotify = [this](NMHDR& header, LRESULT& result) {
        switch (header.code) {
            case NM_CLICK:
                ListViewSClick();
                result = 0;
                return true;
            case NM_CUSTOMDRAW:
                result = ListViewSCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
                return true;
            default:
                return false;
        }
    };

    CheckListBox1.OnDrawItem = [this](int index, const RECT& rect, const DRAWITEMSTRUCT& item) {
        CheckListBox1DrawItem(index, rect, item);
    };
    CheckListBox1.OnContextPopup = [this](POINT screen) { CheckListBox1ContextPopup(screen); };
    Label3.OnClick = [this] { Label3Click(); };
    Label3.OnMouseMove = [this](int, int) { Label3MouseMove(); };
}

}  // namespace ph
