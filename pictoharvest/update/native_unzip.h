#pragma once
// The reader on POSIX files, for native tests, the benchmark, fuzzing and
// the native phunzip. "\" in entry names separates folders here too, as on
// Windows. Attributes other than the directory bit have no meaning here.
// Portable: no windows.h here.
#include <memory>
#include <string>

#include "pictoharvest/update/unzip_datei.h"

namespace ph::update {

// Null when the file cannot be opened for reading.
std::unique_ptr<ZipInput> OpenNativeZipInput(const std::string& path);

// Files and folders below root ("" for the current directory). Unlike on
// Windows, file names resolve against root too; UnzipDatei makes them equal.
std::unique_ptr<UnzipOutput> MakeNativeOutput(const std::string& root);

// The system of the native UnzipDatei; the wait can be switched off for tests.
class NativeUnzipSystem final : public UnzipSystem {
public:
    explicit NativeUnzipSystem(bool wait = true) : wait_(wait) {}
    void Wait(unsigned milliseconds) override;
    bool EnterFolder(const std::string& folder) override;
    std::unique_ptr<TUnzip> OpenUnzip(const std::string& archive, UnzipResult& result) override;

private:
    bool wait_;
};

}  // namespace ph::update
