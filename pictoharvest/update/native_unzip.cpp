#include "pictoharvest/update/native_unzip.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace ph::update {
namespace {

class NativeZipInput final : public ZipInput {
public:
    NativeZipInput(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    ~NativeZipInput() override { close(fd_); }
    NativeZipInput(const NativeZipInput&) = delete;
    NativeZipInput& operator=(const NativeZipInput&) = delete;

    bool ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count, std::size_t& got) override {
        got = 0;
        while (got < count && offset + got < size_) {
            const ssize_t n = pread(fd_, buffer + got, count - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }
    std::uint64_t Size() const override { return size_; }

private:
    int fd_;
    std::uint64_t size_;
};

std::string NativePath(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// Win32 file times to POSIX times (whole 100 ns ticks kept as nanoseconds).
timespec ToTimespec(std::uint64_t fileTime) {
    constexpr std::int64_t kEpochTicks = 116'444'736'000'000'000;
    const std::int64_t ticks = static_cast<std::int64_t>(fileTime) - kEpochTicks;
    timespec result{};
    result.tv_sec = static_cast<time_t>(ticks / 10'000'000);
    result.tv_nsec = static_cast<long>(ticks % 10'000'000) * 100;
    if (result.tv_nsec < 0) {
        result.tv_nsec += 1'000'000'000;
        --result.tv_sec;
    }
    return result;
}

class NativeOutputFile final : public UnzipOutputFile {
public:
    NativeOutputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~NativeOutputFile() override {
        if (fd_ >= 0) close(fd_);
    }
    NativeOutputFile(const NativeOutputFile&) = delete;
    NativeOutputFile& operator=(const NativeOutputFile&) = delete;

    bool Write(const std::uint8_t* data, std::size_t count) override {
        while (count > 0) {
            const ssize_t n = write(fd_, data, count);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            data += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }
    void SetTimes(const UnzipEntry& entry) override {
        timespec times[2];
        times[0] = entry.accessTime ? ToTimespec(entry.accessTime) : timespec{0, UTIME_OMIT};
        times[1] = entry.modificationTime ? ToTimespec(entry.modificationTime) : timespec{0, UTIME_OMIT};
        futimens(fd_, times);
    }
    void Discard() override {
        close(fd_);
        fd_ = -1;
        unlink(path_.c_str());
    }

private:
    int fd_;
    std::string path_;
};

class NativeOutput final : public UnzipOutput {
public:
    explicit NativeOutput(std::string root) : root_(std::move(root)) {}
    void CreateFolder(const std::string& path) override { mkdir((root_ + NativePath(path)).c_str(), 0777); }
    std::unique_ptr<UnzipOutputFile> CreateOutputFile(const std::string& name, std::uint32_t) override {
        std::string path = root_ + NativePath(name);
        // O_NOFOLLOW: a link left in the folder must not carry the data elsewhere.
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return nullptr;
        return std::make_unique<NativeOutputFile>(fd, std::move(path));
    }

private:
    std::string root_;
};

}  // namespace

std::unique_ptr<ZipInput> OpenNativeZipInput(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<NativeZipInput>(fd, static_cast<std::uint64_t>(info.st_size));
}

std::unique_ptr<UnzipOutput> MakeNativeOutput(const std::string& root) {
    std::string prefix = root;
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    return std::make_unique<NativeOutput>(std::move(prefix));
}

void NativeUnzipSystem::Wait(unsigned milliseconds) {
    if (wait_) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool NativeUnzipSystem::EnterFolder(const std::string& folder) { return chdir(folder.c_str()) == 0; }

std::unique_ptr<TUnzip> NativeUnzipSystem::OpenUnzip(const std::string& archive, UnzipResult& result) {
    std::unique_ptr<ZipInput> input = OpenNativeZipInput(archive);
    if (!input) {
        result = UnzipCannotOpen;
        return nullptr;
    }
    char here[4096];
    if (!getcwd(here, sizeof here)) {
        result = UnzipCannotOpen;
        return nullptr;
    }
    return TUnzip::Open(std::move(input), MakeNativeOutput(here), result);
}

bool UnzipDatei(const std::string& destination, const std::string& archive, const UnzipEntryReport& report) {
    NativeUnzipSystem system;
    return RunUnzipDatei(system, destination, archive, report);
}

}  // namespace ph::update
