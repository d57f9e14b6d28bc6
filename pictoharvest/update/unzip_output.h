#pragma once
// Where extracted entries go. The reader decides what to write; the system
// side (Win32 or native) only carries it out. Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "pictoharvest/update/unzip_types.h"

namespace ph::update {

class UnzipOutputFile {
public:
    // Closes the file, keeping it.
    virtual ~UnzipOutputFile() = default;
    virtual bool Write(const std::uint8_t* data, std::size_t count) = 0;
    // Creation, access and modification time of the entry (0: leave as is).
    virtual void SetTimes(const UnzipEntry& entry) = 0;
    // Closes and removes the file: its contents must not be trusted.
    virtual void Discard() = 0;
};

class UnzipOutput {
public:
    virtual ~UnzipOutput() = default;
    // Creates root + path; an existing folder is no error.
    virtual void CreateFolder(const std::string& path) = 0;
    // Creates (or truncates) the file name, relative to the current folder,
    // with the entry's attributes. Null when it cannot be created.
    virtual std::unique_ptr<UnzipOutputFile> CreateOutputFile(const std::string& name, std::uint32_t attributes) = 0;
};

}  // namespace ph::update
