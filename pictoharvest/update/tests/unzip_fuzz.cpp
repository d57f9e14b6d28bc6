// Opens any bytes as an archive, walks it and writes every entry into a
// scratch folder. Every name the reader hands to the output must stay below
// the scratch root.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pictoharvest/update/native_unzip.h"
#include "pictoharvest/update/tunzip.h"

namespace {

namespace fs = std::filesystem;
using namespace ph::update;

bool StaysBelowRoot(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    const fs::path normal = fs::path(name).lexically_normal();
    return !normal.is_absolute() && (normal.empty() || *normal.begin() != "..");
}

class CheckedOutput final : public UnzipOutput {
public:
    explicit CheckedOutput(const std::string& root) : inner_(MakeNativeOutput(root)) {}
    void CreateFolder(const std::string& path) override {
        if (!StaysBelowRoot(path)) Escaped(path);
        inner_->CreateFolder(path);
    }
    std::unique_ptr<UnzipOutputFile> CreateOutputFile(const std::string& name, std::uint32_t attributes) override {
        if (!StaysBelowRoot(name)) Escaped(name);
        return inner_->CreateOutputFile(name, attributes);
    }

private:
    [[noreturn]] static void Escaped(const std::string& name) {
        std::fprintf(stderr, "name leaves the folder: %s\n", name.c_str());
        std::abort();
    }
    std::unique_ptr<UnzipOutput> inner_;
};

// A folder of this process's own, removed when the fuzzer ends.
struct ScratchFolder {
    ScratchFolder() : path(fs::temp_directory_path() / ("ph-fuzz-unzip-" + std::to_string(getpid()))) {
        fs::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

const fs::path& Scratch() {
    static const ScratchFolder folder;
    return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = Scratch() / "root";
    fs::create_directory(root);
    UnzipResult result;
    auto unzip = TUnzip::Open(std::make_unique<MemoryZipInput>(std::span(data, size)),
                              std::make_unique<CheckedOutput>(root.string()), result);
    if (unzip) {
        UnzipEntry info;
        GetUnzipEntry(unzip.get(), -1, info);
        for (std::int32_t i = 0; i < info.index; ++i) {
            UnzipEntry entry;
            GetUnzipEntry(unzip.get(), i, entry);
            UnzipEntryToFile(unzip.get(), i, entry.name);
        }
        CloseUnzip(unzip);
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
