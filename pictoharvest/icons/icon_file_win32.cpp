#include "pictoharvest/icons/icon_file_win32.h"

#include <limits>

#include "pictoharvest/icons/icon_file_reader.h"
#include "pictoharvest/icons/image_collection.h"
#include "pictoharvest/icons/message_box_reporter.h"

namespace ph {

std::unique_ptr<Win32FileSource> Win32FileSource::Open(const std::string& path) {
    winui::OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<Win32FileSource>(std::move(file));
}

bool Win32FileSource::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) {
    DWORD done = 0;
    const BOOL ok = ReadFile(file_.get(), buffer, count, &done, nullptr);
    got = done;
    return ok != FALSE;
}

bool Win32FileSource::SeekFromStart(std::uint32_t offset) {
    // No high part: the distance is a signed 32-bit value, so offsets from
    // 0x80000000 up are a negative seek and fail.
    return SetFilePointer(file_.get(), static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

std::uint64_t Win32FileSource::Size() {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size)) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<IconReadError> ReadIconFile(const std::string& path, IconImageSink& sink, IconReadReporter& reporter) {
    const auto source = Win32FileSource::Open(path);
    if (!source) {
        reporter.Report(IconReadError::OpeningFile, path);
        return IconReadError::OpeningFile;
    }
    return ReadIconFile(*source, path, sink, reporter);
}

void ReadIconFile(const std::string& path, ImageCollection& collection, HWND owner) {
    MessageBoxReporter reporter(owner);
    ReadIconFile(path, collection, reporter);
}

}  // namespace ph
