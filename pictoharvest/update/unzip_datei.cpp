#include "pictoharvest/update/unzip_datei.h"

namespace ph::update {

bool RunUnzipDatei(UnzipSystem& system, const std::string& destination, const std::string& archive,
                   const UnzipEntryReport& report) {
    // The downloader may still hold the archive for a moment.
    system.Wait(200);
    if (!system.EnterFolder(destination)) return false;
    UnzipResult result = UnzipOk;
    std::unique_ptr<TUnzip> unzip = system.OpenUnzip(archive, result);
    if (!unzip) return false;
    UnzipEntry info;
    if (GetUnzipEntry(unzip.get(), -1, info) != UnzipOk) {
        CloseUnzip(unzip);
        return false;
    }
    const std::int32_t count = info.index;
    for (std::int32_t index = 0; index < count; ++index) {
        UnzipEntry entry;
        GetUnzipEntry(unzip.get(), index, entry);
        const UnzipResult written = UnzipEntryToFile(unzip.get(), index, entry.name);
        if (report) report(index, entry.name, written);
    }
    CloseUnzip(unzip);
    return true;
}

}  // namespace ph::update
