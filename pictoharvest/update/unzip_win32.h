#pragma once
// The reader on Win32 files: the archive through CreateFileA and ReadFile,
// output files and folders through CreateFileA, SetFileTime and
// CreateDirectoryA, relative to the current directory.
#include <windows.h>

#include <memory>
#include <string>

#include "pictoharvest/update/unzip_datei.h"

namespace ph::update {

// The root folder is the current directory when the archive is opened.
std::unique_ptr<TUnzip> OpenUnzip(const std::string& archive, UnzipResult& result);

// Win32 file times from the reader's (0 stays 0).
FILETIME ToFileTime(std::uint64_t fileTime);

class Win32UnzipSystem final : public UnzipSystem {
public:
    void Wait(unsigned milliseconds) override { Sleep(milliseconds); }
    bool EnterFolder(const std::string& folder) override { return SetCurrentDirectoryA(folder.c_str()) != FALSE; }
    std::unique_ptr<TUnzip> OpenUnzip(const std::string& archive, UnzipResult& result) override {
        return ph::update::OpenUnzip(archive, result);
    }
};

}  // namespace ph::update
