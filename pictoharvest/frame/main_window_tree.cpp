// Folder tree: the desktop root, lazy filling, ordering, choosing a node
// and reconciling the tree with the disk.
#include "pictoharvest/frame/main_window.h"

#include <algorithm>

#include "pictoharvest/browser/list_text.h"
#include "pictoharvest/browser/shell_services.h"
#include "pictoharvest/frame/app_state.h"

namespace ph {
namespace {

int CALLBACK CompareNodes(LPARAM first, LPARAM second, LPARAM form) {
    return reinterpret_cast<const TForm1*>(form)->TreeView1Compare(
        reinterpret_cast<const FolderNodeData*>(first), reinterpret_cast<const FolderNodeData*>(second));
}

int LevelOf(const winui::TreeView& tree, HTREEITEM node) {
    int level = 0;
    for (HTREEITEM parent = tree.ParentOf(node); parent; parent = tree.ParentOf(parent)) ++level;
    return level;
}

// A node for a record the form keeps until the node is deleted.
HTREEITEM AdoptNode(TForm1& form, HTREEITEM parent, const std::string& caption, int image,
                    std::unique_ptr<FolderNodeData> data) {
    FolderNodeData* record = data.get();
    form.folderNodes.emplace(record, std::move(data));
    HTREEITEM node = form.TreeView1.AddChild(parent, caption, image, reinterpret_cast<LPARAM>(record));
    if (!node) form.folderNodes.erase(record);
    return node;
}

// Deletes a node; a parent left without children loses its button.
void DeleteNode(winui::TreeView& tree, HTREEITEM node) {
    HTREEITEM parent = tree.ParentOf(node);
    tree.Delete(node);
    if (parent && !tree.FirstChild(parent)) tree.SetHasChildrenMark(parent, false);
}

// The loop FillBranch, the expansion and FillBranchExGetPidl share. With a
// wanted name only children of that caption (upper-cased) are added, and
// without the shell's display and type names.
void AddFolderChildren(TForm1& form, IShellFolder* folder, LPCITEMIDLIST parentAbsolute,
                       HTREEITEM parent, const std::string* wantedName) {
    ChildEnumerator children(folder);
    if (!children.ok()) return;
    winui::BulkUpdate bulk(form.TreeView1.Handle());
    const int level = parent ? LevelOf(form.TreeView1, parent) + 1 : 0;
    while (IdList child = children.Next()) {
        IdList absolute = ConcatIdLists(parentAbsolute, child.Get());
        if (!absolute) continue;
        const std::string caption = DisplayNameOf(folder, child.Get(), SHGDN_NORMAL);
        std::string captionKey = AnsiUpperCase(caption);
        if (wantedName && captionKey != *wantedName) continue;
        const ULONG attributes = AttributesOf(folder, child.Get(), SFGAO_FOLDER | SFGAO_HASSUBFOLDER);
        if (!(attributes & SFGAO_FOLDER)) continue;

        auto data = std::make_unique<FolderNodeData>();
        data->parentFolder = ComPtr<IShellFolder>::Share(folder);
        data->path = DisplayNameOf(folder, child.Get(), SHGDN_FORPARSING);
        data->parentAbsoluteList = CloneIdList(parentAbsolute);
        data->bindList = CloneIdList(absolute.Get());
        data->absoluteList = std::move(absolute);
        data->childList = std::move(child);
        data->level = level;
        data->captionKey = std::move(captionKey);
        SHFILEINFOA info{};
        const UINT flags = wantedName ? SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_OPENICON
                                      : SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                            SHGFI_PIDL | SHGFI_OPENICON;
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(data->absoluteList.Get()), 0, &info, sizeof(info), flags);
        if (!wantedName) {
            data->displayName = info.szDisplayName;
            data->typeName = info.szTypeName;
        }
        HTREEITEM node = AdoptNode(form, parent, caption, info.iIcon, std::move(data));
        if (node && (attributes & SFGAO_HASSUBFOLDER)) form.TreeView1.AddPlaceholder(node);
    }
}

}  // namespace

void TForm1::CreateBrowserLists() {
    nodeChildPaths.clear();
    foundDirectories.clear();
}

void TForm1::BuildDesktopRoot() {
    winui::BulkUpdate bulk(TreeView1.Handle());
    desktopFolder = DesktopFolder();
    IdList desktopList = SpecialFolderIdList(Handle(), CSIDL_DESKTOP);
    if (!desktopFolder || !desktopList) return;

    const std::string caption = DisplayNameOf(desktopFolder.Get(), desktopList.Get(), SHGDN_NORMAL);
    auto data = std::make_unique<FolderNodeData>();
    data->absoluteList = ConcatIdLists(desktopList.Get(), desktopList.Get());
    data->bindList = ConcatIdLists(desktopList.Get(), desktopList.Get());
    data->parentAbsoluteList = CloneIdList(desktopList.Get());
    data->childList = CloneIdList(desktopList.Get());
    data->path = SpecialFolder(CSIDL_DESKTOP);
    data->displayName = data->path;
    data->parentFolder = desktopFolder;
    data->level = 0;
    data->captionKey = AnsiUpperCase(caption);
    currentFolderKey = data->path;

    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(data->absoluteList.Get()), 0, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_OPENICON);
    HTREEITEM root = AdoptNode(*this, nullptr, caption, info.iIcon, std::move(data));
    if (root) FillBranch(desktopFolder.Get(), desktopList.Get(), root);
}

void TForm1::SelectDesktopRoot() {
    HTREEITEM root = TreeView1.Root();
    if (root) {
        winui::BulkUpdate bulk(TreeView1.Handle());
        TreeView1.Select(root);
        ExpandNode(root);
    }
    TreeView1Click();
}

void TForm1::FillBranch(IShellFolder* folder, LPCITEMIDLIST parentAbsolute, HTREEITEM parent) {
    AddFolderChildren(*this, folder, parentAbsolute, parent, nullptr);
}

void TForm1::FillBranchExGetPidl(IShellFolder* folder, LPCITEMIDLIST parentAbsolute,
                                 const std::string& wantedName, HTREEITEM parent) {
    AddFolderChildren(*this, folder, parentAbsolute, parent, &wantedName);
}

FolderNodeData* TForm1::NodeData(HTREEITEM node) const {
    return node ? reinterpret_cast<FolderNodeData*>(TreeView1.Data(node)) : nullptr;
}

void TForm1::TreeView1Deletion(NMTREEVIEWA& info) {
    folderNodes.erase(reinterpret_cast<const FolderNodeData*>(info.itemOld.lParam));
}

bool TForm1::TreeView1Expanding(NMTREEVIEWA& info) {
    if (!(info.action & TVE_EXPAND)) return true;
    winui::WaitCursor wait;
    HTREEITEM node = info.itemNew.hItem;
    HTREEITEM first = TreeView1.FirstChild(node);
    // A first child without data is the placeholder of an unread node.
    if (first && TreeView1.Data(first) == 0) {
        TreeView1.Delete(first);
        FolderNodeData* data = NodeData(node);
        if (data && !data->bindList.IsEmpty()) {
            ComPtr<IShellFolder> desktop = DesktopFolder();
            if (ComPtr<IShellFolder> folder = BindToFolder(desktop.Get(), data->bindList.Get())) {
                AddFolderChildren(*this, folder.Get(), data->bindList.Get(), node, nullptr);
                SortTree();
            }
        }
        if (!TreeView1.FirstChild(node)) TreeView1.SetHasChildrenMark(node, false);
    }
    MinimizeRam(GetCurrentProcessId());
    return true;
}

void TForm1::ExpandNode(HTREEITEM node) {
    if (!node) return;
    // The tree reports only the first expansion of an item it was asked
    // for; an unread node must be read every time it is expanded.
    NMTREEVIEWA info{};
    info.action = TVE_EXPAND;
    info.itemNew.hItem = node;
    TreeView1Expanding(info);
    TreeView1.Expand(node);
}

int TForm1::TreeView1Compare(const FolderNodeData* node1, const FolderNodeData* node2) const {
    if (!node1 || !node2 || node1->level < 3) return 0;
    const int order = node1->captionKey.compare(node2->captionKey);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void TForm1::SortTree() {
    // Children above level 3 compare equal and keep the shell's order; the
    // tree's sort need not keep equal items in place, so they are left alone.
    for (HTREEITEM node = TreeView1.Root(); node; node = TreeView1.NextInOrder(node)) {
        const FolderNodeData* data = NodeData(node);
        if (data && data->level >= 2 && TreeView1.FirstChild(node))
            TreeView1.SortChildren(node, CompareNodes, reinterpret_cast<LPARAM>(this));
    }
}

void TForm1::TreeView1Click() {
    HTREEITEM node = TreeView1.Selected();
    if (!node) return;
    const FolderNodeData* data = NodeData(node);
    SendMessageA(ListViewS.Handle(), LVM_DELETEALLITEMS, 0, 0);
    CheckListBox1.ClearItems();

    const std::string path = data ? data->path : std::string();
    const std::string caption = TreeView1.Caption(node);
    const int level = LevelOf(TreeView1, node);
    const std::string address = level > 0 && path.find(":\\") != std::string::npos ? path : caption;

    // The address box shows the node's icon and its address.
    ImageList4.Clear();
    if (HICON icon = ImageList_GetIcon(treeImages.Handle(), TreeView1.SelectedImage(node), ILD_NORMAL)) {
        ImageList4.AddIcon(icon);
        DestroyIcon(icon);
    }
    ComboBoxEx1.ClearItems();
    ComboBoxEx1.AddItem(address, 0);
    ComboBoxEx1.SetItemIndex(0);

    RecordHistoryVisit(path, caption);
    ToolBar1.SetEnabled("ToolButton1", HistoryBackAvailable());
    ToolBar1.SetEnabled("ToolButton2", HistoryForwardAvailable());
    ToolBar1.SetEnabled("ToolButton4", level > 0);
    ApplyHistoryResume();

    winui::ProcessPendingMessages();
    // The messages may have changed the tree; the node's record is looked
    // up again.
    data = NodeData(node == TreeView1.Selected() ? node : nullptr);
    if (data) {
        ComPtr<IShellFolder> desktop = DesktopFolder();
        if (!data->bindList.IsEmpty()) {
            if (ComPtr<IShellFolder> folder = BindToFolder(desktop.Get(), data->bindList.Get())) {
                ListView1.ClearSelection();
                FillShellList(folder.Get(), data->bindList.Get());
            }
        } else if (desktop) {
            FillShellList(desktop.Get(), data->bindList.Get());
        }
    }
    StatusBar1.SetPanelText(1, std::to_string(ListView1.ItemCount()) +
                                   (UseEnglish ? " Elements" : " Elemente"));
    std::string key = path;
    if (key.empty() || key.back() != '\\') key += '\\';
    currentFolderKey = AnsiUpperCase(key);
}

void TForm1::TreeView1KeyDown(WORD key) {
    if (key == VK_F5) Aktualisieren1Click();
}

void TForm1::SpeedButton1MouseMove() {}

HTREEITEM TForm1::FindNodeAbs(const std::string& upperPath) const {
    for (HTREEITEM node = TreeView1.Root(); node; node = TreeView1.NextInOrder(node))
        if (const FolderNodeData* data = NodeData(node); data && AnsiUpperCase(data->path) == upperPath)
            return node;
    return nullptr;
}

HTREEITEM TForm1::FindNodeByPath(const std::string& path) const {
    const std::string wanted = AnsiUpperCase(path);
    for (HTREEITEM node = TreeView1.NextInOrder(TreeView1.Root()); node; node = TreeView1.NextInOrder(node))
        if (const FolderNodeData* data = NodeData(node); data && AnsiUpperCase(data->path) == wanted)
            return node;
    return nullptr;
}

std::string TForm1::SpecialFolder(int csidl) {
    IdList list = SpecialFolderIdList(Handle(), csidl);
    char path[MAX_PATH] = {};
    if (!list || !SHGetPathFromIDListA(list.Get(), path)) return {};
    return path;
}

bool TForm1::TestKeyExists(HTREEITEM node) {
    const FolderNodeData* data = NodeData(node);
    if (!data || TreeView1.Caption(node).empty() || node == TreeView1.Root()) return true;
    subFolderHint = HasSubFolders(data->parentFolder.Get(), data->childList.Get());
    const std::string path = DisplayNameOf(data->parentFolder.Get(), data->childList.Get(), SHGDN_FORPARSING);
    // Only items on fixed drives are ever taken away: removable, network
    // and virtual items stay until the tree is built again.
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return true;
    if (GetDriveTypeA(path.substr(0, 3).c_str()) != DRIVE_FIXED) return true;
    return TestFileExists(path) || TestDirectoryExists(path);
}

void TForm1::TestForNewNode(HTREEITEM node) {
    const FolderNodeData* data = NodeData(node);
    if (!data || data->path.empty()) return;
    nodeChildPaths.clear();
    foundDirectories.clear();
    for (HTREEITEM child = TreeView1.FirstChild(node); child; child = TreeView1.NextSibling(child))
        if (const FolderNodeData* childData = NodeData(child)) nodeChildPaths.push_back(AnsiUpperCase(childData->path));

    const std::string& path = data->path;
    const std::string folder = path.size() <= 3 || path.back() == '\\' ? path : path + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
            foundDirectories.push_back(folder + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(nodeChildPaths.begin(), nodeChildPaths.end());

    const bool isRoot = node == TreeView1.Root();
    for (const std::string& entry : foundDirectories) {
        if (entry.empty() ||
            std::binary_search(nodeChildPaths.begin(), nodeChildPaths.end(), AnsiUpperCase(entry)))
            continue;
        SHFILEINFOA info{};
        SHGetFileInfoA(entry.c_str(), 0, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_ATTRIBUTES | SHGFI_DISPLAYNAME | SHGFI_SMALLICON);
        const std::string wanted = AnsiUpperCase(info.szDisplayName);
        if (!isRoot) {
            ComPtr<IShellFolder> desktop = DesktopFolder();
            if (ComPtr<IShellFolder> bound = BindToFolder(desktop.Get(), data->bindList.Get()))
                FillBranchExGetPidl(bound.Get(), data->bindList.Get(), wanted, node);
        } else if (desktopFolder) {
            IdList desktopList = SpecialFolderIdList(Handle(), CSIDL_DESKTOP);
            FillBranchExGetPidl(desktopFolder.Get(), desktopList.Get(), wanted, node);
        }
    }
}

void TForm1::FindNode() {
    HTREEITEM node = TreeView1.Root();
    while (node) {
        subFolderHint = false;
        HTREEITEM current = node;
        const int level = LevelOf(TreeView1, node);
        // Never probe a floppy drive.
        const bool probed = level > 0 && AnsiUpperCase(TreeView1.Caption(node)).find("A:") == std::string::npos;
        if (probed && !TestKeyExists(node)) {
            current = TreeView1.PreviousInOrder(node);
            DeleteNode(TreeView1, node);
        } else if (TreeView1.Expanded(node)) {
            TestForNewNode(node);
        } else if (level > 0 && TreeView1.FirstChild(node) && TestKeyExists(node)) {
            // A collapsed node goes back to unread; its button follows the disk.
            TreeView1.DeleteChildren(node);
            TreeView1.SetHasChildrenMark(node, subFolderHint);
        }
        if (current && !TreeView1.FirstChild(current) && NodeData(current) && LevelOf(TreeView1, current) > 0 &&
            !TreeView1.Expanded(current) && subFolderHint)
            TreeView1.AddPlaceholder(current);
        node = current ? TreeView1.NextInOrder(current) : nullptr;
    }
}

}  // namespace ph
