#pragma once
// Icon groups of programs and libraries (any module the system can map as
// data, 32-bit or 64-bit): listing the groups with their large icons, and
// reading one group's images into a sink.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "pictoharvest/icons/icon_read.h"
#include "pictoharvest/icons/group_key.h"
#include "winui/handles.h"

namespace ph {

struct DataModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
// A module mapped with LoadLibraryExA(..., LOAD_LIBRARY_AS_DATAFILE).
using OwnedDataModule = winui::Owned<DataModuleTraits>;

OwnedDataModule LoadDataModule(const std::string& path);

struct ModuleGroup {
    ModuleGroupKey key;     // for a text-named group: number -1 and the name
    winui::OwnedIcon largeIcon;  // may be empty when the group has no drawable image
};

// The groups in resource order, without icons; empty when the module
// cannot be opened.
std::optional<std::vector<ModuleGroupKey>> ListModuleGroupKeys(const std::string& path);

// The group's large icon made from its own image nearest the system's
// large icon size; what a group gets when the system's extraction cannot
// be paired with the enumerated groups.
winui::OwnedIcon LargeGroupIcon(HMODULE module, const ModuleGroupKey& key);

// The groups in resource order, each with its own large icon; empty (no
// message) when the module cannot be opened.
std::optional<std::vector<ModuleGroup>> ListModuleGroups(const std::string& path);

enum class ModuleReadResult {
    Complete,      // every image of the group was appended
    NotLoaded,     // reported: the module cannot be opened
    GroupMissing,  // silent: the group cannot be found or mapped
    ImageMissing,  // silent: an entry names an image the module lacks
    Failed,        // reported: an image could not be had or converted
};

// Appends the group's images in directory order with position i and the
// entry's RT_ICON identifier as number.
ModuleReadResult ReadModuleGroup(const std::string& path, const ModuleGroupKey& group, IconImageSink& sink,
                                 IconReadReporter& reporter);

// The same on a module already mapped as data (path names it in messages),
// for reading many groups of one file.
ModuleReadResult ReadModuleGroup(HMODULE module, const std::string& path, const ModuleGroupKey& group,
                                 IconImageSink& sink, IconReadReporter& reporter);

}  // namespace ph
