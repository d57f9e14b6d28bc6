#include "pictoharvest/icons/icon_file_reader.h"

#include <new>
#include <vector>

#include "pictoharvest/core/byte_cursor.h"
#include "pictoharvest/icons/dib_geometry.h"

namespace ph {
namespace {

constexpr std::uint64_t kHeaderBytes = 6;
constexpr std::uint64_t kEntryBytes = 16;

bool ReadU16(ByteSource& source, std::uint16_t& value) {
    std::uint8_t bytes[2] = {};
    std::uint32_t got = 0;
    if (!source.Read(bytes, 2, got) || got != 2) return false;
    value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

// Reads exactly count bytes or fails.
bool ReadExactly(ByteSource& source, std::vector<std::uint8_t>& buffer) {
    std::uint32_t got = 0;
    const auto count = static_cast<std::uint32_t>(buffer.size());
    return source.Read(buffer.data(), count, got) && got == count;
}

std::optional<IconReadError> ReadImages(ByteSource& source, std::string_view path, IconImageSink& sink) {
    IconImageSet set;
    set.images.reserve(1);

    std::uint16_t reserved = 0;
    std::uint16_t type = 0;
    std::uint16_t count = 0;
    if (!ReadU16(source, reserved) || !ReadU16(source, type) || !ReadU16(source, count) || reserved != 0 ||
        type != 1)
        return IconReadError::ReadingHeader;

    // A directory or an image larger than the whole file can never be read
    // in full, so such sizes are refused before anything is allocated.
    const std::uint64_t fileSize = source.Size();
    const std::uint64_t directoryBytes = kEntryBytes * count;
    if (fileSize < kHeaderBytes || directoryBytes > fileSize - kHeaderBytes) return IconReadError::ReadingFile;

    set.images.resize(count);
    set.iconFileName = path;
    set.moduleFileName.clear();
    set.imageCount = count;

    std::vector<std::uint8_t> directory(directoryBytes);
    if (!ReadExactly(source, directory)) return IconReadError::ReadingFile;

    ByteCursor entries(directory);
    for (std::uint16_t i = 0; i < count; ++i) {
        entries.Seek(i * kEntryBytes + 8);
        const std::uint32_t bytesInRes = entries.U32();
        const std::uint32_t imageOffset = entries.U32();

        IconImage& image = set.images[i];
        if (!source.SeekFromStart(imageOffset)) return IconReadError::SeekingInFile;
        if (bytesInRes > fileSize || imageOffset > fileSize - bytesInRes) return IconReadError::ReadingFile;
        image.bits.resize(bytesInRes);
        if (!ReadExactly(source, image.bits)) return IconReadError::ReadingFile;
        if (FillImageGeometry(&image) != GeometryResult::Ok) return IconReadError::Converting;
        sink.AppendImage(image, i, i);
        // The sink has taken what it needs; dropping the bits now keeps the
        // memory of a read bounded by the largest image, not the sum.
        std::vector<std::uint8_t>().swap(image.bits);
    }
    return std::nullopt;
}

}  // namespace

std::optional<IconReadError> ReadIconFile(ByteSource& source, std::string_view path, IconImageSink& sink,
                                          IconReadReporter& reporter) {
    std::optional<IconReadError> error;
    try {
        error = ReadImages(source, path, sink);
    } catch (const std::bad_alloc&) {
        error = IconReadError::AllocatingMemory;
    }
    if (error) reporter.Report(*error, path);
    return error;
}

}  // namespace ph
