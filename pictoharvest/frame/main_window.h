#pragma once
// TForm1, the main window: folder pane, file list, icon panel, group pane,
// its bars and menus. Other parts of the program fill the handlers declared
// here; each is bound to its control or menu item already.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "pictoharvest/browser/com_ptr.h"
#include "pictoharvest/browser/shell_item.h"
#include "pictoharvest/icons/image_collection.h"
#include "winui/controls.h"
#include "winui/image_list.h"
#include "winui/menu.h"
#include "winui/prompts.h"
#include "winui/toolbar.h"

namespace ph {

class TForm1 : public winui::Form {
public:
    // Builds the window and its components, runs the construction steps,
    // then FormCreate. The window is not shown yet.
    TForm1();
    ~TForm1() override;

    // ---- components, top to bottom ----------------------------------------
    winui::MenuBar ToolBar3;
    winui::CoolBar CoolBar1;
    winui::ToolBar ToolBar1;
    winui::Panel Panel1;
    winui::Label Label5;
    winui::ComboBoxEx ComboBoxEx1;
    winui::Label Label4;
    winui::ComboBox ComboBox1;
    winui::Panel Panel3;
    winui::Panel Panel5;
    winui::Label Label1;
    winui::Button SpeedButton1;
    winui::TreeView TreeView1;
    winui::Splitter Splitter1;
    winui::ListView ListView1;
    winui::Panel Panel4;
    winui::RadioButton RadioButton1;
    winui::RadioButton RadioButton2;
    winui::Label Label3;
    winui::CheckListBox CheckListBox1;
    winui::Splitter Splitter2;
    winui::Panel Panel2;
    winui::Panel Panel6;
    winui::Label Label2;
    winui::ListView ListViewS;
    winui::StatusBar StatusBar1;
    winui::Memo Memo1;
    winui::OwnedBitmap ImageDown;  // 7 x 7 sort arrows for the column headers
    winui::OwnedBitmap ImageUp;
    winui::Timer Timer1;
    winui::SaveDialogRequest SaveDialog1;
    winui::ImageList ImageList1;  // 32 x 32, the groups of ListViewS
    winui::ImageList ImageList2;  // 24 x 24, the tool-bar pictures
    winui::ImageList ImageList4;  // 16 x 16, the address box
    // The images of the shown group; ImageList6 views its 48 x 48 previews.
    ph::ImageCollection imageCollection;
    winui::ImageList ImageList6;

    // The system image lists as the file list and tree see them (shared).
    winui::ImageList listLargeImages;
    winui::ImageList listSmallImages;
    winui::ImageList treeImages;

    winui::Menu MainMenu1{"MainMenu1"};
    winui::Menu PopupMenu1{"PopupMenu1"};
    winui::Menu PopupMenu2{"PopupMenu2"};
    winui::Menu PopupMenu4{"PopupMenu4"};
    winui::Menu PopupLeft{"PopupLeft"};
    winui::Menu PopupRight{"PopupRight"};

    // Any menu item by its name, in any of the menus.
    winui::MenuItem* FindMenuItem(const std::string& name);

    // ---- this window's own operations --------------------------------------
    void FormCreate();
    void FormClose(bool& close);
    void FormResize();
    void Panel5Resize();
    void GetVersionInfo();

    // ---- start-up steps that later parts fill -------------------------------
    void InitForm();                // restore the layout from the settings store
    void ChooseLanguage();          // the language-file test
    void FillLanguage();            // English captions; puts MainMenu1 into ToolBar3
    void CreateBrowserLists();      // the tree's and change watching's lists
    void BuildDesktopRoot();        // the tree's root and first level
    void SelectDesktopRoot();       // select and expand the root, show it
    void StartChangeWatchers();     // one watcher per fixed drive
    void LookForChanges(const std::string& root);
    void SaveLayout();              // write the layout to the settings store
    void StopWin9xChangeLoop();

    // ---- handlers of the other parts (bound now, filled later) -------------
    void Datei1Click();
    void Allesmarkieren1Click();
    void Markierungumkehren1Click();
    void Speichern1Click();
    void SpeichernalsBitmap1Click();
    void SpeichernalsJPG1Click();
    void Statusleiste1Click();
    void GroeSymbole1Click();
    void KleineSymbole1Click();
    void Liste1Click();
    void Details1Click();
    void Name1Click();
    void Gre1Click();
    void Typ1Click();
    void Datum1Click();
    void Attribute1Click();
    void Aktualisieren1Click();
    void NeuerOrdner1Click();
    void NeueVersionverfgbar1Click();
    void Optionen1Click();
    void Information1Click();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton4Click();
    void PopupLeftPopup();
    void PopupRightPopup();
    void PopupMenuItemsClick(winui::MenuItem& sender);
    void ComboBox1Click();
    void ComboBoxEx1Change();
    void SpeedButton1MouseMove();
    void TreeView1Click();
    bool TreeView1Expanding(NMTREEVIEWA& info);
    void TreeView1KeyDown(WORD key);
    void TreeView1ContextPopup(POINT screen);
    bool TreeView1Edited(NMTVDISPINFOA& info);
    void ListView1Click();
    void ListView1Data(NMLVDISPINFOA& info);
    void ListView1ColumnClick(int column);
    void ListView1ContextPopup(POINT screen);
    bool ListView1Edited(NMLVDISPINFOA& info);
    void ListView1DblClick();
    void ListView1KeyDown(WORD key);
    void ListView1KeyUp(WORD key);
    void ListView1MouseMove(int x, int y);
    void ListViewSClick();
    LRESULT ListViewSCustomDraw(NMLVCUSTOMDRAW& draw);
    void ListViewSKeyUp(WORD key);
    void ListViewSKeyDown(WORD key);
    void CheckListBox1DrawItem(int index, const RECT& rect, const DRAWITEMSTRUCT& item);
    void CheckListBox1ContextPopup(POINT screen);
    void Label3Click();
    void Label3MouseMove();
    void Timer1Timer();
    // Owner-draw and menu-initialisation messages while a shell menu is open.
    void WMContextMenu2(UINT message, WPARAM wParam, LPARAM lParam);
    // The private message that opens an in-place editor again.
    void RestartEdit(LPARAM item);

    static constexpr UINT kRestartEditMessage = WM_APP + 100;

    // ---- settings store (main_window_settings.cpp) ---------------------------
    // Root index 0..5 is HKCR, HKCU, HKLM, HKU, HKCC, HKDD; type letters are
    // "s", "e", "m", "i", "b". Failures are silent: reads give empty text.
    std::string ReadReg(int root, const std::string& keyPath, const std::string& valueName,
                        const std::string& type);
    void WriteInReg(int root, const std::string& keyPath, const std::string& valueName,
                    const std::string& data, const std::string& type);
    void WriteReg(int root, const std::string& keyPath, const std::string& valueName,
                  const std::string& data, const std::string& type);

    // ---- view commands (main_window_view.cpp) -------------------------------
    // The sort arrow of the file list's header: shown on one column, removed
    // from the others.
    void AddBitmapTo(int column, bool up);
    void ClearBitmapOnAllBut(int column);
    UINT listIconSize = SHGFI_SMALLICON;  // SHGFI_SMALLICON or SHGFI_LARGEICON

    // ---- folder tree (main_window_tree.cpp) ---------------------------------
    void FillBranch(IShellFolder* folder, LPCITEMIDLIST parentAbsolute, HTREEITEM parent);
    // Nodes from level 3 on by caption, ignoring case; above that 0.
    int TreeView1Compare(const FolderNodeData* node1, const FolderNodeData* node2) const;
    void TreeView1Deletion(NMTREEVIEWA& info);
    // First node in index order whose path upper-cased equals upperPath.
    HTREEITEM FindNodeAbs(const std::string& upperPath) const;
    // The same from the root's first child on, upper-casing both sides.
    HTREEITEM FindNodeByPath(const std::string& path) const;
    std::string SpecialFolder(int csidl);
    // Reconciles the whole tree with the disk.
    void FindNode();
    bool TestKeyExists(HTREEITEM node);
    void TestForNewNode(HTREEITEM node);
    void FillBranchExGetPidl(IShellFolder* folder, LPCITEMIDLIST parentAbsolute,
                             const std::string& wantedName, HTREEITEM parent);
    FolderNodeData* NodeData(HTREEITEM node) const;
    // Expands a node, reading its children first when it is unread, as a
    // click on its button does.
    void ExpandNode(HTREEITEM node);
    // Orders every node's children through TreeView1Compare.
    void SortTree();

    std::string currentFolderKey;  // upper case, with a trailing backslash
    bool subFolderHint = false;    // the last HasSubFolders answer of TestKeyExists
    std::vector<std::string> nodeChildPaths;    // scratch: child paths of a node
    std::vector<std::string> foundDirectories;  // scratch: directories on disk
    // The data of every real node; a node's lParam points at its record.
    std::unordered_map<const FolderNodeData*, std::unique_ptr<FolderNodeData>> folderNodes;

    // Navigation steps of TreeView1Click (main_window_handlers.cpp).
    void RecordHistoryVisit(const std::string& path, const std::string& caption);
    bool HistoryBackAvailable() const;
    bool HistoryForwardAvailable() const;
    void ApplyHistoryResume();

    // ---- file list (main_window_list.cpp) -----------------------------------
    void FillShellList(IShellFolder* folder, PCIDLIST_ABSOLUTE folderList);
    void ClearShellList();
    int CompareShellItems(const ShellItem& a, const ShellItem& b) const;
    void SortShellItems();
    // The record of the list's first selected item, or nullptr.
    const ShellItem* SelectedShellItem() const;

    std::vector<std::unique_ptr<ShellItem>> shellItems;  // item k of the list is record k
    int sortColumn = 0;  // 0 name, 1 size, 2 type, 3 modified, 4 attribute letters
    bool sortAscending = true;
    bool arrowUp = false;
    int lastSortColumn = 0;
    bool newFolderPending = false;  // set while a new folder is being named

    // ---- icon panes (main_window_icons.cpp) ---------------------------------
    void DisplayIcon();

    // ---- saving (main_window_save.cpp) --------------------------------------

    // ---- state other parts keep on the window -------------------------------
    int historyIndex = 0;
    int filterMode = 0;
    bool win9xChangeLoopRunning = false;
    HICON spareIcon = nullptr;  // for the icon panel and the tree
    ComPtr<IMalloc> shellAllocator;
    ComPtr<IShellFolder> desktopFolder;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateComponents();
    void CreateMenus();
    void CreatePictures();
    void BindEvents();

    winui::OwnedFont font_;
    winui::OwnedFont boldFont_;
    winui::OwnedFont linkFont_;
    winui::OwnedFont speedButtonFont_;
};

}  // namespace ph
