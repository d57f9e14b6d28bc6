#pragma once
// Reading icon files from disk with the Win32 file functions.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "pictoharvest/icons/byte_source.h"
#include "pictoharvest/icons/icon_read.h"
#include "winui/handles.h"

namespace ph {

class ImageCollection;

// An open file, shared with no other opener while it is read.
class Win32FileSource final : public ByteSource {
public:
    // Null when CreateFileA fails (missing, in use, no access).
    static std::unique_ptr<Win32FileSource> Open(const std::string& path);
    explicit Win32FileSource(winui::OwnedFile file) : file_(std::move(file)) {}

    bool Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& got) override;
    bool SeekFromStart(std::uint32_t offset) override;
    std::uint64_t Size() override;

private:
    winui::OwnedFile file_;
};

// Reads every image of the icon file at path into sink; the first failure
// goes to reporter and ends the read. Returns that failure, if any.
std::optional<IconReadError> ReadIconFile(const std::string& path, IconImageSink& sink, IconReadReporter& reporter);

// The icon panes' form: images into the collection, messages in boxes
// owned by owner.
void ReadIconFile(const std::string& path, ImageCollection& collection, HWND owner);

}  // namespace ph
