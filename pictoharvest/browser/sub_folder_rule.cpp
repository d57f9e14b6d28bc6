#include "pictoharvest/browser/sub_folder_rule.h"

namespace ph {

SubFolderAnswer ClassifyForSubFolders(std::uint32_t attributes) {
    if (!(attributes & kAttributeFolder)) return SubFolderAnswer::No;
    if (attributes & kAttributeRemovable) return SubFolderAnswer::Yes;
    return SubFolderAnswer::AskHasSubFolder;
}

}  // namespace ph
