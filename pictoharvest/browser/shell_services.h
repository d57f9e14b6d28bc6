#pragma once
// Thin helpers over the shell namespace's COM interfaces, used by the folder
// tree and the file list. Failures give empty results; callers skip the step.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "pictoharvest/browser/com_ptr.h"
#include "pictoharvest/browser/id_list.h"

namespace ph {

// Folders, non-folders and hidden items.
inline constexpr SHCONTF kEnumAllItems = 0xE0;

// The desktop folder, root of all binding; null on failure.
ComPtr<IShellFolder> DesktopFolder();

// SHGetSpecialFolderLocation; null on failure.
IdList SpecialFolderIdList(HWND owner, int csidl);

// The folder an absolute list names, bound from the desktop. Null on
// failure and for a null or empty list, which is never bound.
ComPtr<IShellFolder> BindToFolder(IShellFolder* desktop, LPCITEMIDLIST absolute);

// Walks a folder's children one Next at a time.
class ChildEnumerator {
public:
    ChildEnumerator(IShellFolder* folder, HWND owner = nullptr, SHCONTF flags = kEnumAllItems);
    // The folder could be enumerated.
    bool ok() const { return static_cast<bool>(enumerator_); }
    // The next child list; null when there is none left (or on failure).
    IdList Next();

private:
    ComPtr<IEnumIDList> enumerator_;
};

// Attribute bits of one child for the asked mask; 0 when the shell fails.
ULONG AttributesOf(IShellFolder* folder, LPCITEMIDLIST child, ULONG mask);

// The child's name (SHGDN_NORMAL, SHGDN_FORPARSING, ...); empty on failure.
std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags);

// The text a STRRET carries, in the system code page. A STRRET_WSTR string
// is freed (and its pointer cleared); an offset text is read from child and
// never past its end; unknown kinds give empty text.
std::string StrRetToText(STRRET& value, LPCITEMIDLIST child);

// a's items followed by b's in a new zero-filled list from the shell
// allocator; a null list counts as empty. Null when allocation fails.
IdList ConcatIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b);

// A copy of list of its own (for records that keep the same list twice).
inline IdList CloneIdList(LPCITEMIDLIST list) { return ConcatIdLists(list, nullptr); }

// Folder without the folder bit: false; removable: true; otherwise the
// shell's has-sub-folder bit.
bool HasSubFolders(IShellFolder* folder, LPCITEMIDLIST child);

// SHGetPathFromIDListA; empty when the list has no file-system path.
std::string PathFromIdList(LPCITEMIDLIST absolute);

}  // namespace ph
