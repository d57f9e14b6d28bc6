#include "pictoharvest/icons/module_icons.h"

#include <cstdlib>
#include <new>
#include <span>

#include "pictoharvest/icons/dib_geometry.h"
#include "pictoharvest/icons/group_directory.h"

namespace ph {

namespace {

LPCSTR ResourceName(const ModuleGroupKey& key) {
    return key.IsNamed() ? key.name.c_str() : MAKEINTRESOURCEA(static_cast<WORD>(key.number));
}

BOOL CALLBACK CollectGroupName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    auto& keys = *reinterpret_cast<std::vector<ModuleGroupKey>*>(param);
    ModuleGroupKey key;
    if (IS_INTRESOURCE(name)) {
        key.number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    } else {
        key.number = -1;
        key.name = name;
    }
    keys.push_back(std::move(key));
    return TRUE;  // always go on
}

// The group's resource data, bounded by its own size; empty when the
// group cannot be found or mapped.
std::span<const std::uint8_t> GroupData(HMODULE module, const ModuleGroupKey& key) {
    HRSRC info = FindResourceA(module, ResourceName(key), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (!info) return {};
    HGLOBAL loaded = LoadResource(module, info);
    if (!loaded) return {};
    const void* data = LockResource(loaded);
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, info)};
}

}  // namespace

OwnedDataModule LoadDataModule(const std::string& path) {
    return OwnedDataModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

winui::OwnedIcon LargeGroupIcon(HMODULE module, const ModuleGroupKey& key) {
    const auto group = GroupData(module, key);
    GroupDirectory directory;
    if (group.empty() || ParseGroupDirectory(group, directory) == GroupDirectoryResult::NoHeader ||
        directory.entries.empty())
        return winui::OwnedIcon();
    // Choose by the parsed entries only, so nothing reads past the group.
    const int wanted = GetSystemMetrics(SM_CXICON);
    const GroupDirectoryEntry* best = &directory.entries.front();
    for (const auto& entry : directory.entries) {
        const int side = entry.width == 0 ? 256 : entry.width;
        const int bestSide = best->width == 0 ? 256 : best->width;
        if (std::abs(side - wanted) < std::abs(bestSide - wanted) ||
            (side == bestSide && entry.bitCount > best->bitCount))
            best = &entry;
    }
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(best->id), MAKEINTRESOURCEA(3));  // RT_ICON
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return winui::OwnedIcon();
    return winui::OwnedIcon(CreateIconFromResourceEx(static_cast<PBYTE>(data), SizeofResource(module, info), TRUE,
                                              0x00030000, wanted, GetSystemMetrics(SM_CYICON), 0));
}

std::optional<std::vector<ModuleGroupKey>> ListModuleGroupKeys(const std::string& path) {
    const OwnedDataModule module = LoadDataModule(path);
    if (!module) return std::nullopt;
    std::vector<ModuleGroupKey> keys;
    EnumResourceNamesA(module.get(), MAKEINTRESOURCEA(14), CollectGroupName, reinterpret_cast<LONG_PTR>(&keys));
    return keys;
}

std::optional<std::vector<ModuleGroup>> ListModuleGroups(const std::string& path) {
    auto keys = ListModuleGroupKeys(path);
    if (!keys) return std::nullopt;

    std::vector<ModuleGroup> groups;
    groups.reserve(keys->size());
    // The system's extraction follows the same resource order; it is used
    // only while its count agrees with the enumeration, so no group is
    // shown with another group's icon.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const UINT extractable = static_cast<UINT>(reinterpret_cast<UINT_PTR>(ExtractIconA(instance, path.c_str(), UINT(-1))));
    const bool paired = extractable == keys->size();
    OwnedDataModule module;
    if (!paired) module = LoadDataModule(path);
    for (std::size_t j = 0; j < keys->size(); ++j) {
        ModuleGroup group;
        group.key = std::move((*keys)[j]);
        if (paired) {
            HICON large = nullptr;
            if (ExtractIconExA(path.c_str(), static_cast<int>(j), &large, nullptr, 1) > 0) group.largeIcon.reset(large);
        } else if (module) {
            group.largeIcon = LargeGroupIcon(module.get(), group.key);
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

ModuleReadResult ReadModuleGroup(const std::string& path, const ModuleGroupKey& group, IconImageSink& sink,
                                 IconReadReporter& reporter) {
    const OwnedDataModule module = LoadDataModule(path);
    if (!module) {
        reporter.Report(IconReadError::LoadingModule, path);
        return ModuleReadResult::NotLoaded;
    }
    return ReadModuleGroup(module.get(), path, group, sink, reporter);
}

ModuleReadResult ReadModuleGroup(HMODULE module, const std::string& path, const ModuleGroupKey& group,
                                 IconImageSink& sink, IconReadReporter& reporter) {
    const auto data = GroupData(module, group);
    if (data.empty()) return ModuleReadResult::GroupMissing;

    GroupDirectory directory;
    try {
        ParseGroupDirectory(data, directory);
    } catch (const std::bad_alloc&) {
        reporter.Report(IconReadError::AllocatingMemory, path);
        return ModuleReadResult::Failed;
    }

    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const WORD id = directory.entries[i].id;
        HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
        HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
        if (!loaded) return ModuleReadResult::ImageMissing;

        const DWORD size = SizeofResource(module, info);
        const void* bits = LockResource(loaded);
        try {
            if (!bits && size > 0) throw std::bad_alloc();
            IconImage image;
            image.bits.assign(static_cast<const std::uint8_t*>(bits), static_cast<const std::uint8_t*>(bits) + size);
            if (FillImageGeometry(&image) != GeometryResult::Ok) {
                reporter.Report(IconReadError::Converting, path);
                return ModuleReadResult::Failed;
            }
            sink.AppendImage(image, static_cast<int>(i), id);
        } catch (const std::bad_alloc&) {
            reporter.Report(IconReadError::AllocatingMemory, path);
            return ModuleReadResult::Failed;
        }
    }
    return ModuleReadResult::Complete;
}

}  // namespace ph
