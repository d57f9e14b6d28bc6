// File list: filling, sorting, the texts the list asks for, mouse and keys.
#include "pictoharvest/frame/main_window.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "pictoharvest/browser/list_text.h"
#include "pictoharvest/browser/shell_services.h"

namespace ph {
namespace {

bool Admitted(int filterMode, bool isFolder, const std::string& parsingName) {
    switch (FilterItem(filterMode, isFolder, AnsiUpperCase(FileExtension(parsingName)))) {
        case FilterVerdict::Admit: return true;
        case FilterVerdict::Reject: return false;
        case FilterVerdict::AskIconCount: break;
    }
    return ExtractIconExA(parsingName.c_str(), -1, nullptr, nullptr, 0) != 0;
}

}  // namespace

void TForm1::ClearShellList() {
    ListView1.SetItemCount(0);
    shellItems.clear();
}

void TForm1::FillShellList(IShellFolder* folder, PCIDLIST_ABSOLUTE folderList) {
    winui::ProcessPendingMessages();
    ClearShellList();
    winui::WaitCursor wait;
    ChildEnumerator children(folder);
    std::optional<winui::BulkUpdate> bulk;
    if (children.ok()) {
        bulk.emplace(ListView1.Handle());
        const ComPtr<IShellFolder> parent = ComPtr<IShellFolder>::Share(folder);
        while (IdList child = children.Next()) {
            IdList absolute = ConcatIdLists(folderList, child.Get());
            if (!absolute) continue;
            std::string parsingName = DisplayNameOf(folder, child.Get(), SHGDN_FORPARSING);
            const bool isFolder = (AttributesOf(folder, child.Get(), SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
            if (!Admitted(filterMode, isFolder, parsingName)) continue;

            auto item = std::make_unique<ShellItem>();
            item->parentFolder = parent;
            item->parsingName = std::move(parsingName);
            item->isFolder = isFolder;
            // Virtual items have no find data: the zeroed record stands in.
            WIN32_FIND_DATAA found{};
            SHGetDataFromIDListA(folder, child.Get(), SHGDFIL_FINDDATA, &found, sizeof(found));
            item->size = found.nFileSizeLow;
            item->modified = LocalDaysFromFileTime(found.ftLastWriteTime);
            item->attributeLetters = AttributeLetters(found.dwFileAttributes);
            item->displayName = DisplayNameOf(folder, child.Get(), SHGDN_NORMAL);
            item->nameKey = AnsiUpperCase(item->displayName);
            item->childList = std::move(child);
            item->absoluteList = std::move(absolute);
            shellItems.push_back(std::move(item));
        }
    }
    SortShellItems();
    ListView1.SetItemCount(static_cast<int>(shellItems.size()));
    bulk.reset();
    ListView1.ClearSelection();
    ListView1.Repaint();
}

int TForm1::CompareShellItems(const ShellItem& a, const ShellItem& b) const {
    return CompareSortFields(a.Fields(), b.Fields(), sortColumn, sortAscending);
}

void TForm1::SortShellItems() {
    std::sort(shellItems.begin(), shellItems.end(),
              [this](const std::unique_ptr<ShellItem>& a, const std::unique_ptr<ShellItem>& b) {
                  return CompareShellItems(*a, *b) < 0;
              });
}

const ShellItem* TForm1::SelectedShellItem() const {
    const int index = ListView1.NextSelected(-1);
    if (index < 0 || static_cast<std::size_t>(index) >= shellItems.size()) return nullptr;
    return shellItems[static_cast<std::size_t>(index)].get();
}

void TForm1::ListView1Data(NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shellItems.size()) return;
    ShellItem& record = *shellItems[static_cast<std::size_t>(item.iItem)];
    if (!record.shellInfoRead) {
        // Asked once per record, when the list first shows the item.
        SHFILEINFOA shellInfo{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(record.absoluteList.Get()), 0, &shellInfo, sizeof(shellInfo),
                       listIconSize | SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_PIDL);
        record.typeName = shellInfo.szTypeName;
        record.typeKey = AnsiUpperCase(record.typeName);
        record.iconIndex = shellInfo.iIcon;
        record.shellInfoRead = true;
    }
    if (item.mask & LVIF_IMAGE) item.iImage = record.iconIndex;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::string text;
        switch (item.iSubItem) {
            case 0: text = record.displayName; break;
            case 1: text = SizeText(record.size); break;
            case 2: text = record.typeName; break;
            case 3: text = DateTimeText(record.modified); break;
            case 4: text = record.attributeLetters; break;
            default: break;
        }
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
}

void TForm1::ListView1ColumnClick(int column) {
    if (column == lastSortColumn) {
        arrowUp = !arrowUp;
        AddBitmapTo(column, arrowUp);
    } else {
        ClearBitmapOnAllBut(column);
        lastSortColumn = column;
        AddBitmapTo(column, arrowUp);
    }
    sortAscending = arrowUp;
    sortColumn = column;
    SortShellItems();
    ListView1.Repaint();
}

// The "Attribute" entries sort by the attribute letters, which have no
// column of their own.
void TForm1::Name1Click() { ListView1ColumnClick(0); }
void TForm1::Gre1Click() { ListView1ColumnClick(1); }
void TForm1::Typ1Click() { ListView1ColumnClick(2); }
void TForm1::Datum1Click() { ListView1ColumnClick(3); }
void TForm1::Attribute1Click() { ListView1ColumnClick(4); }

void TForm1::ListView1Click() {
    newFolderPending = false;
    if (ListView1.SelectedCount() > 0) DisplayIcon();
}

void TForm1::ListView1KeyUp(WORD) {
    if (ListView1.SelectedCount() > 0) ListView1Click();
}

void TForm1::ListView1KeyDown(WORD key) {
    if (key == 'A' && GetKeyState(VK_CONTROL) < 0) ListView1.SelectAll();
    if (key == VK_F5) Aktualisieren1Click();
}

void TForm1::ListView1MouseMove(int x, int y) {
    const bool overItem = ListView1.ItemAt(x, y) >= 0;
    ListView1.cursor = overItem ? LoadCursor(nullptr, IDC_HAND) : nullptr;
    SetCursor(overItem ? ListView1.cursor : LoadCursor(nullptr, IDC_ARROW));
}

void TForm1::ListView1DblClick() {
    // Whatever goes wrong here, the tree and the list are read again.
    try {
        if (ListView1.SelectedCount() == 0) return;
        const ShellItem* record = SelectedShellItem();
        if (!record) return;
        if (!record->isFolder) {
            ExecuteIDL(GetForegroundWindow(), record->absoluteList.Get());
            return;
        }
        HTREEITEM node = TreeView1.Selected();
        if (node && !TreeView1.Expanded(node)) ExpandNode(node);
        if (HTREEITEM target = FindNodeAbs(AnsiUpperCase(record->parsingName))) TreeView1.Select(target);
        TreeView1Click();
    } catch (...) {
        Aktualisieren1Click();
    }
}

}  // namespace ph
