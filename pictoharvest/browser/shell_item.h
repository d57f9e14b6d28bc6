#pragma once
// The records the folder tree and the file list keep for their items. Each
// owns its ID lists and its folder reference; they go with the record.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>

#include "pictoharvest/browser/com_ptr.h"
#include "pictoharvest/browser/id_list.h"
#include "pictoharvest/browser/list_rules.h"

namespace ph {

// One entry of the file list.
struct ShellItem {
    ComPtr<IShellFolder> parentFolder;  // the folder that was enumerated
    IdList childList;                   // relative to parentFolder
    IdList absoluteList;
    std::string displayName;       // SHGDN_NORMAL: the caption
    std::string parsingName;       // SHGDN_FORPARSING: the full path of a file-system item
    std::string attributeLetters;  // "RHSA" letters, see AttributeLetters
    std::string typeName;          // empty until the list first shows the item
    std::int64_t size = 0;         // bytes; only the low 32 bits are ever filled
    bool isFolder = false;
    double modified = 0;  // days since 30 December 1899, local time

    // What the list has asked the shell already, kept so it is asked once.
    bool shellInfoRead = false;
    int iconIndex = 0;
    // Upper-cased sort keys, made when the texts are set.
    std::string nameKey;
    std::string typeKey;

    SortFields Fields() const {
        return {isFolder, nameKey, typeKey, attributeLetters, size, modified};
    }
};

// The data of one real folder-tree node (placeholders have none).
struct FolderNodeData {
    ComPtr<IShellFolder> parentFolder;  // the desktop for the root and its children
    IdList absoluteList;                // empty for the root
    IdList parentAbsoluteList;          // for the root: the desktop's list
    IdList childList;                   // for the root: the desktop's list
    IdList bindList;                    // the absolute list again; binding uses this one
    std::string path;                   // SHGDN_FORPARSING name
    std::string displayName;
    std::string typeName;

    // For ordering the tree: the node's depth and its caption upper-cased.
    int level = 0;
    std::string captionKey;
};

}  // namespace ph
