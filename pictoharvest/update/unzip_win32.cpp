#include "pictoharvest/update/unzip_win32.h"

#include <utility>

#include "winui/handles.h"

namespace ph::update {
namespace {

class Win32ZipInput final : public ZipInput {
public:
    Win32ZipInput(winui::OwnedFile file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

    bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count, std::size_t& got) override {
        got = 0;
        while (got < count && offset + got < size_) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset + got);
            at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
            DWORD n = 0;
            if (!ReadFile(file_.get(), buffer + got, static_cast<DWORD>(count - got), &n, &at))
                return GetLastError() == ERROR_HANDLE_EOF;
            if (n == 0) break;
            got += n;
        }
        return true;
    }
    std::uint64_t Size() const override { return size_; }

private:
    winui::OwnedFile file_;
    std::uint64_t size_;
};

class Win32OutputFile final : public UnzipOutputFile {
public:
    Win32OutputFile(winui::OwnedFile file, std::string name) : file_(std::move(file)), name_(std::move(name)) {}

    bool Write(const std::uint8_t* data, std::size_t count) override {
        DWORD written = 0;
        return WriteFile(file_.get(), data, static_cast<DWORD>(count), &written, nullptr) && written == count;
    }
    void SetTimes(const UnzipEntry& entry) override {
        if (GetFileType(file_.get()) != FILE_TYPE_DISK) return;
        const FILETIME creation = ToFileTime(entry.creationTime);
        const FILETIME access = ToFileTime(entry.accessTime);
        const FILETIME modification = ToFileTime(entry.modificationTime);
        SetFileTime(file_.get(), entry.creationTime ? &creation : nullptr, entry.accessTime ? &access : nullptr,
                    entry.modificationTime ? &modification : nullptr);
    }
    void Discard() override {
        file_.reset();
        // Archives from DOS tools make every file read-only.
        SetFileAttributesA(name_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name_.c_str());
    }

private:
    winui::OwnedFile file_;
    std::string name_;
};

class Win32Output final : public UnzipOutput {
public:
    explicit Win32Output(std::string root) : root_(std::move(root)) {}
    void CreateFolder(const std::string& path) override { CreateDirectoryA((root_ + path).c_str(), nullptr); }
    std::unique_ptr<UnzipOutputFile> CreateOutputFile(const std::string& name, std::uint32_t attributes) override {
        winui::OwnedFile file(
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
        if (!file) return nullptr;
        return std::make_unique<Win32OutputFile>(std::move(file), name);
    }

private:
    std::string root_;
};

}  // namespace

FILETIME ToFileTime(std::uint64_t fileTime) {
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(fileTime);
    result.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    return result;
}

std::unique_ptr<TUnzip> OpenUnzip(const std::string& archive, UnzipResult& result) {
    char here[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof here, here);
    winui::OwnedFile file(CreateFileA(archive.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (length == 0 || length >= sizeof here || !file || !GetFileSizeEx(file.get(), &size)) {
        result = UnzipCannotOpen;
        return nullptr;
    }
    std::string root(here, length);
    root += '\\';
    return TUnzip::Open(std::make_unique<Win32ZipInput>(std::move(file), static_cast<std::uint64_t>(size.QuadPart)),
                        std::make_unique<Win32Output>(std::move(root)), result);
}

bool UnzipDatei(const std::string& destination, const std::string& archive, const UnzipEntryReport& report) {
    Win32UnzipSystem system;
    return RunUnzipDatei(system, destination, archive, report);
}

}  // namespace ph::update
