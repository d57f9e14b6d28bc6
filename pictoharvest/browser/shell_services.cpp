#include "pictoharvest/browser/shell_services.h"

#include <span>
#include <vector>

#include "pictoharvest/browser/id_list_layout.h"
#include "pictoharvest/browser/shell_text.h"
#include "pictoharvest/browser/sub_folder_rule.h"

namespace ph {
namespace {

std::span<const std::uint8_t> ListBytes(LPCITEMIDLIST list) {
    if (!list) return {};
    return {reinterpret_cast<const std::uint8_t*>(list), IdListSize(list)};
}

std::string WideToSystemCodePage(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string result(static_cast<std::size_t>(bytes), '\0');
    if (!WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), bytes, nullptr, nullptr)) return {};
    result.resize(static_cast<std::size_t>(bytes - 1));
    return result;
}

}  // namespace

ComPtr<IShellFolder> DesktopFolder() {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put()))) desktop.Reset();
    return desktop;
}

IdList SpecialFolderIdList(HWND owner, int csidl) {
    IdList list;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, list.Put()))) list.Reset();
    return list;
}

ComPtr<IShellFolder> BindToFolder(IShellFolder* desktop, LPCITEMIDLIST absolute) {
    ComPtr<IShellFolder> folder;
    if (!desktop || IsEmptyIdList(absolute)) return folder;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, folder.PutVoid())))
        folder.Reset();
    return folder;
}

ChildEnumerator::ChildEnumerator(IShellFolder* folder, HWND owner, SHCONTF flags) {
    // S_FALSE with no enumerator means there is nothing to list.
    if (!folder || folder->EnumObjects(owner, flags, enumerator_.Put()) != S_OK) enumerator_.Reset();
}

IdList ChildEnumerator::Next() {
    IdList child;
    if (!enumerator_) return child;
    ULONG fetched = 0;
    if (enumerator_->Next(1, child.Put(), &fetched) != S_OK || fetched != 1) child.Reset();
    return child;
}

ULONG AttributesOf(IShellFolder* folder, LPCITEMIDLIST child, ULONG mask) {
    if (!folder || !child) return 0;
    ULONG attributes = mask;
    if (FAILED(folder->GetAttributesOf(1, &child, &attributes))) return 0;
    return attributes;
}

std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags) {
    if (!folder || !child) return {};
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name))) return {};
    return StrRetToText(name, child);
}

std::string StrRetToText(STRRET& value, LPCITEMIDLIST child) {
    switch (static_cast<StrRetKind>(value.uType)) {
        case StrRetKind::WideText: {
            if (!value.pOleStr) return {};
            std::string text = WideToSystemCodePage(value.pOleStr);
            CoTaskMemFree(value.pOleStr);
            value.pOleStr = nullptr;
            return text;
        }
        case StrRetKind::Offset:
            return ZeroTerminatedText(ListBytes(child), value.uOffset);
        case StrRetKind::Inline:
            return ZeroTerminatedText(
                {reinterpret_cast<const std::uint8_t*>(value.cStr), kStrRetInlineSize}, 0);
    }
    return {};
}

IdList ConcatIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    IdList result;
    IMalloc* allocator = ShellAllocator();
    if (!allocator) return result;
    const auto bytesA = ListBytes(a);
    const auto bytesB = ListBytes(b);
    const std::size_t size = ConcatenatedIdListSize(IdListSize(a), IdListSize(b));
    auto* block = static_cast<std::uint8_t*>(allocator->Alloc(static_cast<ULONG>(size)));
    if (!block) return result;
    result = IdList(reinterpret_cast<LPITEMIDLIST>(block));
    WriteConcatenatedIdList(bytesA, bytesB, {block, size});
    return result;
}

bool HasSubFolders(IShellFolder* folder, LPCITEMIDLIST child) {
    const ULONG first = AttributesOf(folder, child, SFGAO_FOLDER | SFGAO_REMOVABLE);
    switch (ClassifyForSubFolders(first)) {
        case SubFolderAnswer::No: return false;
        case SubFolderAnswer::Yes: return true;
        case SubFolderAnswer::AskHasSubFolder: break;
    }
    return (AttributesOf(folder, child, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
}

std::string PathFromIdList(LPCITEMIDLIST absolute) {
    char path[MAX_PATH] = {};
    if (!absolute || !SHGetPathFromIDListA(absolute, path)) return {};
    path[MAX_PATH - 1] = '\0';
    return path;
}

}  // namespace ph
