#pragma once
// Unpacking a whole archive into a folder, the way the update does it: wait,
// enter the folder, open, then every entry under its own name. The system
// calls come from an UnzipSystem, so the same steps run on Windows and in
// native tests. Portable: no windows.h here.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "pictoharvest/update/tunzip.h"

namespace ph::update {

class UnzipSystem {
public:
    virtual ~UnzipSystem() = default;
    virtual void Wait(unsigned milliseconds) = 0;
    // Makes folder the process's current directory.
    virtual bool EnterFolder(const std::string& folder) = 0;
    // Opens the archive with the current directory as the root folder.
    virtual std::unique_ptr<TUnzip> OpenUnzip(const std::string& archive, UnzipResult& result) = 0;
};

// Told after each entry: its index, name and the result of writing it.
using UnzipEntryReport = std::function<void(std::int32_t index, const char* name, UnzipResult result)>;

// True when the archive was opened and walked; single entries may fail.
bool RunUnzipDatei(UnzipSystem& system, const std::string& destination, const std::string& archive,
                   const UnzipEntryReport& report = {});

// The same on this platform's files (Win32, or POSIX in native builds).
bool UnzipDatei(const std::string& destination, const std::string& archive, const UnzipEntryReport& report = {});

}  // namespace ph::update
