#pragma once
// The ZIP records the reader uses, read from raw bytes through ByteCursor,
// and the rules that turn them into an entry: attributes, times, names.
// Portable: no windows.h here.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "pictoharvest/update/unzip_types.h"
#include "pictoharvest/update/zip_input.h"

namespace ph::update {

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralRecordSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
constexpr std::uint16_t kFlagStrongEncryption = 0x0040;

struct EndRecord {
    std::uint64_t position = 0;
    std::uint16_t entryCount = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
};

struct CentralRecord {
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t dosTime = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;
    std::uint16_t commentLength = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localOffset = 0;
};

struct LocalHeader {
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;
};

// The position of the end record: the signature nearest to the end within
// the last 65,535 bytes, scanned in overlapping windows. None when there is
// no signature or it sits at offset 0.
std::optional<std::uint64_t> FindEndRecord(ZipInput& input);

// Reads and checks the end record at position (one disk, consistent counts,
// the directory ending before the record).
bool ReadEndRecord(ZipInput& input, std::uint64_t position, EndRecord& record);

// From exactly kCentralRecordSize / kLocalHeaderSize bytes; false on a wrong signature.
bool ParseCentralRecord(std::span<const std::uint8_t> bytes, CentralRecord& record);
bool ParseLocalHeader(std::span<const std::uint8_t> bytes, LocalHeader& header);

// The local header may be read for the central record: same method (stored
// or deflated), same name length, and without a data descriptor the same
// CRC and sizes. Encrypted and Zip64 entries are refused here too.
bool LocalHeaderAgrees(const LocalHeader& local, const CentralRecord& central);

// Win32 attribute bits from the external attributes.
std::uint32_t MapAttributes(std::uint32_t external);

// MS-DOS date (high half) and time (low half) as a file time, taken as UTC.
// 0 when the fields are not a valid date and time.
std::uint64_t DosTimeToFileTime(std::uint32_t dosDateTime);
std::uint64_t UnixTimeToFileTime(std::int32_t seconds);

// Replaces the entry's times from the first 'UT' block of a local extra field.
void ApplyTimestampBlock(std::span<const std::uint8_t> extra, UnzipEntry& entry);

// A name that stays below the destination folder: not absolute, no drive,
// no ':' (an alternate data stream on Windows), no control character, no
// ".." component, not a device name. "/" and "\" both separate.
bool IsSafeEntryName(std::string_view name);

}  // namespace ph::update
