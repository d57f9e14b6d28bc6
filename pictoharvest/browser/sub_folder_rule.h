#pragma once
// Whether a tree node gets an expansion button: the decision taken from an
// item's attribute bits. Portable: no windows.h here.
#include <cstdint>

namespace ph {

inline constexpr std::uint32_t kAttributeFolder = 0x20000000;        // SFGAO_FOLDER
inline constexpr std::uint32_t kAttributeHasSubFolder = 0x80000000;  // SFGAO_HASSUBFOLDER
inline constexpr std::uint32_t kAttributeRemovable = 0x02000000;     // SFGAO_REMOVABLE

enum class SubFolderAnswer {
    No,                  // not a folder
    Yes,                 // removable media: assume there is something, do not touch the drive
    AskHasSubFolder,     // a folder: the shell's has-sub-folder bit decides
};

// From the answer to a query for kAttributeFolder | kAttributeRemovable.
SubFolderAnswer ClassifyForSubFolders(std::uint32_t attributes);

}  // namespace ph
