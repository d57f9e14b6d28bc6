// The folder tree and the file list of the real main window, over folders
// and files each test makes on drive C: of the prefix.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <algorithm>
#include <set>

#include "browser_fixture.h"
#include "icon_fixtures.h"
#include "pictoharvest/browser/shell_services.h"
#include "screenshot.h"

namespace ph {
namespace {

using testing::BrowserWindow;
using testing::MakeFile;
using testing::MakeFolder;

// The folders a shell folder lists, in its order.
std::vector<std::string> ShellFolderCaptions(IShellFolder* folder) {
    std::vector<std::string> captions;
    ChildEnumerator children(folder);
    while (IdList child = children.Next())
        if (AttributesOf(folder, child.Get(), SFGAO_FOLDER) & SFGAO_FOLDER)
            captions.push_back(DisplayNameOf(folder, child.Get(), SHGDN_NORMAL));
    return captions;
}

int ShellItemCount(IShellFolder* folder) {
    int count = 0;
    ChildEnumerator children(folder);
    while (children.Next()) ++count;
    return count;
}

bool IsPlaceholder(winui::TreeView& tree, HTREEITEM node) {
    return node && tree.Data(node) == 0 && tree.Caption(node).empty();
}

TEST_F(BrowserWindow, RootAndFirstLevelsKeepTheShellsOrder) {
    HTREEITEM root = Tree().Root();
    ASSERT_TRUE(root);
    ComPtr<IShellFolder> desktop = DesktopFolder();
    IdList desktopList = SpecialFolderIdList(nullptr, CSIDL_DESKTOP);
    EXPECT_EQ(Tree().Caption(root), DisplayNameOf(desktop.Get(), desktopList.Get(), SHGDN_NORMAL));
    EXPECT_EQ(ChildCaptions(root), ShellFolderCaptions(desktop.Get()));
    EXPECT_EQ(Tree().Selected(), root);
    EXPECT_TRUE(Tree().Expanded(root));

    // The start-up click: the root's caption, not its path; no Up.
    EXPECT_EQ(form->ComboBoxEx1.Count(), 1);
    EXPECT_EQ(form->ComboBoxEx1.ItemText(0), Tree().Caption(root));
    EXPECT_EQ(form->ImageList4.Count(), 1);
    EXPECT_FALSE(form->ToolBar1.Enabled("ToolButton4"));
    EXPECT_EQ(form->StatusBar1.PanelText(1), std::to_string(ShellItemCount(desktop.Get())) + " Elemente");
    EXPECT_EQ(form->ListView1.ItemCount(), ShellItemCount(desktop.Get()));

    // The drives under the computer, in the shell's order too.
    HTREEITEM computer = form->FindNodeAbs(testing::kComputerPath);
    ASSERT_TRUE(computer);
    form->ExpandNode(computer);
    IdList computerList = SpecialFolderIdList(nullptr, CSIDL_DRIVES);
    ComPtr<IShellFolder> computerFolder = BindToFolder(desktop.Get(), computerList.Get());
    const auto drives = ChildCaptions(computer);
    EXPECT_EQ(drives, ShellFolderCaptions(computerFolder.Get()));
    EXPECT_GE(drives.size(), 2u);  // C: and Z:
    EXPECT_TRUE(form->FindNodeByPath("c:\\"));
    EXPECT_FALSE(form->FindNodeByPath(form->NodeData(root)->path)) << "the root is skipped";
    EXPECT_EQ(form->FindNodeAbs(AnsiUpperCase(form->NodeData(root)->path)), root);
}

TEST_F(BrowserWindow, FoldersAreReadOnceAndSortedIgnoringCase) {
    for (const char* name : {"gamma", "Alpha", "Delta", "beta"}) MakeFolder(root + "\\" + name);
    MakeFolder(root + "\\Delta\\inner");
    MakeFile(root + "\\file.txt", 3);
    HTREEITEM node = testing::BrowserWindow::OpenFolder(root);
    ASSERT_TRUE(node);
    EXPECT_GE(form->NodeData(node)->level, 3);
    EXPECT_EQ(ChildCaptions(node), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));

    // Unread until expanded: a placeholder gives the button. (Wine's shell
    // reports sub-folders for every folder, so empty ones get it too and
    // lose it when they are read.)
    HTREEITEM delta = ChildByCaption(node, "Delta");
    HTREEITEM alpha = ChildByCaption(node, "Alpha");
    EXPECT_TRUE(IsPlaceholder(Tree(), Tree().FirstChild(delta)));
    EXPECT_TRUE(Tree().HasChildrenMark(delta));
    form->ExpandNode(alpha);
    EXPECT_FALSE(Tree().FirstChild(alpha));
    EXPECT_FALSE(Tree().HasChildrenMark(alpha));
    form->ExpandNode(delta);
    EXPECT_EQ(ChildCaptions(delta), (std::vector<std::string>{"inner"}));

    // What appears on disk later is not read again by collapsing and expanding.
    MakeFolder(root + "\\Delta\\later");
    MakeFolder(root + "\\Epsilon");
    Tree().Collapse(delta);
    form->ExpandNode(delta);
    EXPECT_EQ(ChildCaptions(delta), (std::vector<std::string>{"inner"}));
    Tree().Collapse(node);
    form->ExpandNode(node);
    EXPECT_EQ(ChildCaptions(node).size(), 4u);
}

TEST_F(BrowserWindow, ChoosingAFolderShowsItsPathCountAndEnablesUp) {
    MakeFolder(root + "\\Sub");
    for (const char* name : {"a.txt", "b.txt"}) MakeFile(root + "\\" + name, 1);
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    EXPECT_EQ(form->ComboBoxEx1.Count(), 1);
    EXPECT_EQ(form->ComboBoxEx1.ItemText(0), root);
    EXPECT_EQ(form->ComboBoxEx1.ItemIndex(), 0);
    EXPECT_EQ(form->StatusBar1.PanelText(1), "3 Elemente");
    EXPECT_TRUE(form->ToolBar1.Enabled("ToolButton4"));
    EXPECT_EQ(form->currentFolderKey, AnsiUpperCase(root) + "\\");
    EXPECT_EQ(ListCaptions().front(), "Sub");  // folders first

    UseEnglish = true;
    Choose(Tree().Root());
    UseEnglish = false;
    EXPECT_EQ(form->ComboBoxEx1.ItemText(0), Tree().Caption(Tree().Root()));
    EXPECT_FALSE(form->ToolBar1.Enabled("ToolButton4"));
    EXPECT_NE(form->StatusBar1.PanelText(1).find(" Elements"), std::string::npos);
}

// No node has two children for the same path.
void ExpectNoTwins(winui::TreeView& tree, TForm1& form) {
    for (HTREEITEM node = tree.Root(); node; node = tree.NextInOrder(node)) {
        std::set<std::string> paths;
        for (HTREEITEM child = tree.FirstChild(node); child; child = tree.NextSibling(child))
            if (const FolderNodeData* data = form.NodeData(child)) {
                EXPECT_TRUE(paths.insert(AnsiUpperCase(data->path)).second) << data->path;
            }
    }
}

TEST_F(BrowserWindow, ReconciliationFollowsTheDisk) {
    for (const char* name : {"Gone", "Keeps", "Empty"}) MakeFolder(root + "\\" + name);
    MakeFolder(root + "\\Keeps\\sub");
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    ASSERT_TRUE(Tree().Expanded(node));
    // Both read once, then collapsed.
    HTREEITEM keeps = ChildByCaption(node, "Keeps");
    HTREEITEM empty = ChildByCaption(node, "Empty");
    form->ExpandNode(keeps);
    form->ExpandNode(empty);
    Tree().Collapse(keeps);
    Tree().Collapse(empty);
    ASSERT_EQ(ChildCaptions(keeps), (std::vector<std::string>{"sub"}));
    ASSERT_FALSE(Tree().HasChildrenMark(empty));
    const int nodesBefore = Tree().Count();

    ASSERT_TRUE(RemoveDirectoryA((root + "\\Gone").c_str()));
    ASSERT_TRUE(RemoveDirectoryA((root + "\\Keeps\\sub").c_str()));
    MakeFolder(root + "\\Empty\\now");
    MakeFolder(root + "\\Fresh");
    form->FindNode();
    ExpectNoTwins(Tree(), *form);

    const auto captions = ChildCaptions(node);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), "Gone"), 0);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), "Fresh"), 1);
    HTREEITEM fresh = ChildByCaption(node, "Fresh");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(AnsiUpperCase(form->NodeData(fresh)->path), AnsiUpperCase(root + "\\Fresh"));
    EXPECT_TRUE(form->NodeData(fresh)->displayName.empty());
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(form->NodeData(fresh)->absoluteList.Get()), 0, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_OPENICON);
    EXPECT_EQ(Tree().Image(fresh), info.iIcon);
    // The collapsed folders went back to unread: the one that gained a
    // sub-folder has its button again, the other loses it once read.
    EXPECT_TRUE(IsPlaceholder(Tree(), Tree().FirstChild(empty)));
    EXPECT_TRUE(Tree().HasChildrenMark(empty));
    EXPECT_TRUE(IsPlaceholder(Tree(), Tree().FirstChild(keeps)));
    form->ExpandNode(keeps);
    EXPECT_FALSE(Tree().FirstChild(keeps));
    EXPECT_FALSE(Tree().HasChildrenMark(keeps));
    form->ExpandNode(empty);
    EXPECT_EQ(ChildCaptions(empty), (std::vector<std::string>{"now"}));
    EXPECT_LE(Tree().Count(), nodesBefore + 2);
    // Every real node has its record, and no record outlives its node.
    int placeholders = 0;
    for (HTREEITEM n = Tree().Root(); n; n = Tree().NextInOrder(n)) placeholders += IsPlaceholder(Tree(), n);
    EXPECT_EQ(form->folderNodes.size(), static_cast<std::size_t>(Tree().Count() - placeholders));
}

TEST_F(BrowserWindow, EachFilterModeAdmitsItsFiles) {
    MakeFolder(root + "\\Sub");
    MakeFile(root + "\\SETUP.exe", 10);
    MakeFile(root + "\\a.Dll", 10);
    MakeFile(root + "\\notes.txt", 10);
    testing::WriteBytes(root + "\\pic.ICO", testing::MakeIconFile({{testing::MakeDibImage(16, 16, 32)}}));
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    const std::set<std::string> expected[] = {
        {"Sub", "SETUP.exe", "a.Dll", "notes.txt", "pic.ICO"},
        {"Sub", "pic.ICO"},
        {"Sub", "SETUP.exe", "a.Dll"},
        {"Sub", "pic.ICO"},
    };
    for (int mode = 0; mode < 4; ++mode) {
        form->filterMode = mode;
        Choose(node);
        std::set<std::string> names;
        for (const auto& item : form->shellItems)
            names.insert(item->parsingName.substr(item->parsingName.find_last_of('\\') + 1));
        EXPECT_EQ(names, expected[mode]) << "filter " << mode;
        EXPECT_EQ(form->ListView1.ItemCount(), static_cast<int>(expected[mode].size()));
    }
}

TEST_F(BrowserWindow, SizeColumnSortsDescendingFirstThenAscendingWithTheUpArrow) {
    MakeFolder(root + "\\F1");
    MakeFolder(root + "\\F2");
    MakeFile(root + "\\small.txt", 10);
    MakeFile(root + "\\big.txt", 5000);
    MakeFile(root + "\\mid.txt", 2000);
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    form->Details1Click();
    auto names = [&] {
        std::vector<std::string> order;
        for (const auto& item : form->shellItems)
            order.push_back(item->parsingName.substr(item->parsingName.find_last_of('\\') + 1));
        return order;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(names(), (Names{"F1", "F2", "big.txt", "mid.txt", "small.txt"}));

    HWND header = GetDlgItem(form->ListView1.Handle(), 0);
    auto arrowOf = [&](int column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_BITMAP) ? item.hbm : nullptr;
    };
    form->Gre1Click();  // as the column header does
    EXPECT_FALSE(form->arrowUp);
    const Names descending = names();
    EXPECT_EQ(Names(descending.begin(), descending.begin() + 3), (Names{"big.txt", "mid.txt", "small.txt"}));
    EXPECT_EQ(arrowOf(1), form->ImageDown.get());
    EXPECT_EQ(arrowOf(0), nullptr);
    EXPECT_EQ(form->ListView1.ItemCount(), 5);
    EXPECT_EQ(ItemText(0, 0).substr(0, 3), "big");

    NMLISTVIEW click{};
    click.hdr.hwndFrom = form->ListView1.Handle();
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 1;
    SendMessageA(GetParent(form->ListView1.Handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(form->arrowUp);
    const Names ascending = names();
    EXPECT_EQ(Names(ascending.begin(), ascending.begin() + 2), (Names{"F1", "F2"}));
    EXPECT_EQ(Names(ascending.begin() + 2, ascending.end()), (Names{"small.txt", "mid.txt", "big.txt"}));
    EXPECT_EQ(arrowOf(1), form->ImageUp.get());
    EXPECT_EQ(ItemText(4, 0).substr(0, 3), "big");

    // The attribute entry sorts by the letters; no column shows an arrow.
    SetFileAttributesA((root + "\\mid.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA((root + "\\small.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((root + "\\big.txt").c_str(), FILE_ATTRIBUTE_ARCHIVE);
    Choose(node);
    form->Attribute1Click();  // a new column: the direction arrowUp holds (ascending)
    const Names byLetters = names();
    EXPECT_EQ(Names(byLetters.begin() + 2, byLetters.end()), (Names{"big.txt", "small.txt", "mid.txt"}));
    EXPECT_EQ(arrowOf(1), nullptr);
    SetFileAttributesA((root + "\\mid.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BrowserWindow, CtrlASelectsAllAndDoubleClicksOpen) {
    MakeFolder(root + "\\Inner");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    program = program.substr(0, program.find_last_of('\\') + 1) + "browser_marker_program.exe";
    ASSERT_TRUE(CopyFileA(program.c_str(), (root + "\\Inner\\marker.exe").c_str(), FALSE));
    MakeFile(root + "\\one.txt", 1);
    MakeFile(root + "\\two.txt", 1);
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    ASSERT_EQ(form->ListView1.ItemCount(), 3);

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    SendMessageA(form->ListView1.Handle(), WM_KEYDOWN, 'A', 0);
    SetKeyboardState(keys);
    EXPECT_EQ(form->ListView1.SelectedCount(), 3);
    SendMessageA(form->ListView1.Handle(), WM_KEYDOWN, 'A', 0);  // without Ctrl nothing more
    ASSERT_NE(form->SelectedShellItem(), nullptr);
    EXPECT_EQ(form->SelectedShellItem(), form->shellItems[0].get());

    // A folder opens in the tree.
    form->ListView1.SelectOnly(0);
    ASSERT_TRUE(form->SelectedShellItem()->isFolder);
    form->ListView1DblClick();
    HTREEITEM inner = Tree().Selected();
    ASSERT_TRUE(inner);
    EXPECT_EQ(AnsiUpperCase(form->NodeData(inner)->path), AnsiUpperCase(root + "\\Inner"));
    EXPECT_EQ(Tree().ParentOf(inner), node);
    EXPECT_EQ(form->ComboBoxEx1.ItemText(0), form->NodeData(inner)->path);
    ASSERT_EQ(form->ListView1.ItemCount(), 1);

    // A program is started with its default verb.
    const std::string marker = root + "\\Inner\\marker.txt";
    form->ListView1.SelectOnly(0);
    form->ListView1DblClick();
    const DWORD deadline = GetTickCount() + 20000;
    while (GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() < deadline) {
        testing::Pump();
        Sleep(50);
    }
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the program did not run";
    Sleep(200);  // let the program end before its folder goes
}

// Counts the shell allocator's blocks that are alive: what the records
// hold must go back when lists are refilled and nodes deleted.
class LiveBlocks final : public IMallocSpy {
public:
    long live = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IMallocSpy) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        if (block) ++live;
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL) override {
        if (block) --live;
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** newBlock, BOOL) override {
        *newBlock = block;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

TEST_F(BrowserWindow, BrowsingOverAndOverKeepsNoBlocks) {
    for (int i = 0; i < 20; ++i) MakeFile(root + "\\file" + std::to_string(i) + ".txt", 1);
    MakeFolder(root + "\\A");
    MakeFolder(root + "\\A\\B");
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    static LiveBlocks spy;
    ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
    auto round = [&] {
        Choose(node);
        HTREEITEM a = ChildByCaption(node, "A");
        form->ExpandNode(a);
        form->ListView1.Repaint();
        Tree().Collapse(a);
        form->FindNode();  // the collapsed folder goes back to unread
    };
    round();
    const long afterOne = spy.live;
    for (int i = 0; i < 10; ++i) round();
    const long afterMany = spy.live;
    CoRevokeMallocSpy();
    EXPECT_LE(afterMany - afterOne, 3) << "blocks kept by 10 rounds of browsing";
    EXPECT_EQ(form->shellItems.size(), 21u);
}

// Leaves a picture of the browser for a person to look at: the tree opened
// down to a folder on drive C:, its files in the details view.
TEST_F(BrowserWindow, ScreenshotOfTreeAndDetails) {
    for (const char* name : {"Bilder", "Programme", "icons"}) MakeFolder(root + "\\" + name);
    MakeFile(root + "\\readme.txt", 1500);
    MakeFile(root + "\\setup.exe", 70000);
    testing::WriteBytes(root + "\\app.ico", testing::MakeIconFile({{testing::MakeDibImage(32, 32, 32)}}));
    HTREEITEM node = OpenFolder(root);
    ASSERT_TRUE(node);
    Choose(node);
    form->Details1Click();
    Tree().MakeVisible(node);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetForegroundWindow(form->Handle());
    for (int i = 0; i < 10; ++i) {
        testing::Pump();
        Sleep(30);
    }
    EXPECT_EQ(form->ListView1.View(), static_cast<DWORD>(LV_VIEW_DETAILS));
    EXPECT_EQ(ItemText(0, 0), "Bilder");
    std::string folder = "Z:" PH_SCREENSHOT_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(testing::SaveWindowScreenshot(form->Handle(), folder + "\\browser-tree-details.png"));
}

}  // namespace
}  // namespace ph
