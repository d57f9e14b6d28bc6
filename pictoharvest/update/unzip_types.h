#pragma once
// What the archive reader reports: result codes and the per-entry record.
// Portable: no windows.h here.
#include <cstdint>

namespace ph::update {

enum UnzipResult : std::uint32_t {
    UnzipOk = 0,
    UnzipCannotOpen = 0x200,
    UnzipWriteFailed = 0x400,
    UnzipCorrupt = 0x700,
    UnzipReadFailed = 0x800,
    UnzipBadArguments = 0x10000,
};

// The result's name, as the command-line front prints it.
const char* UnzipResultName(UnzipResult result);

constexpr std::uint32_t kAttributeReadOnly = 0x1;
constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeSystem = 0x4;
constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr std::uint32_t kAttributeArchive = 0x20;
constexpr std::uint32_t kAttributeNormal = 0x80;

constexpr std::size_t kUnzipNameSize = 260;

// File times are Win32 file times: 100 ns units since 1 January 1601 (UTC).
// 0 means the archive gave no usable time.
struct UnzipEntry {
    std::int32_t index = 0;
    char name[kUnzipNameSize] = {};
    std::uint32_t attributes = 0;
    std::uint64_t accessTime = 0;
    std::uint64_t creationTime = 0;
    std::uint64_t modificationTime = 0;
    std::int32_t compressedSize = 0;
    std::int32_t uncompressedSize = 0;
};

}  // namespace ph::update
