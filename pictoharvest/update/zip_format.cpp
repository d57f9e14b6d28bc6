#include "pictoharvest/update/zip_format.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "pictoharvest/core/byte_cursor.h"

namespace ph::update {
namespace {

constexpr std::uint64_t kScanLimit = 65535;
constexpr std::uint64_t kScanStep = 1024;
constexpr std::size_t kScanWindow = kScanStep + 4;

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
// Seconds from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kUnixEpochSeconds = 11'644'473'600;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1601 to the given date.
std::int64_t DaysSince1601(int year, int month, int day) {
    const std::int64_t y = year - 1601;
    std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    return days + day - 1;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// "..", "...", ".. " and the like: Windows drops trailing dots and spaces,
// so each of these would climb out of the folder.
bool IsDotsComponent(std::string_view part) {
    const bool onlyDotsAndSpaces = part.find_first_not_of(". ") == std::string_view::npos;
    return onlyDotsAndSpaces && std::count(part.begin(), part.end(), '.') >= 2;
}

// CON, NUL, COM1, LPT1 … open a device instead of a file, with or without
// an extension.
bool IsDeviceName(std::string_view part) {
    std::string_view base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    if (base.size() < 3 || base.size() > 7) return false;
    std::array<char, 8> upper{};
    for (std::size_t i = 0; i < base.size(); ++i)
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[i])));
    const std::string_view name(upper.data(), base.size());
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$" || name == "CLOCK$")
        return true;
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && name[3] >= '1' &&
           name[3] <= '9';
}

}  // namespace

std::optional<std::uint64_t> FindEndRecord(ZipInput& input) {
    const std::uint64_t size = input.Size();
    const std::uint64_t maxBack = std::min(size, kScanLimit);
    std::array<std::uint8_t, kScanWindow> window;
    std::uint64_t back = 4;
    while (back < maxBack) {
        back = std::min(back + kScanStep, maxBack);
        const std::uint64_t start = size - back;
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kScanWindow, size - start));
        if (!input.ReadExact(start, window.data(), length)) return std::nullopt;
        for (std::size_t i = length - 3; i-- > 0;) {
            if (window[i] == 0x50 && window[i + 1] == 0x4B && window[i + 2] == 0x05 && window[i + 3] == 0x06) {
                // A record at offset 0 leaves no room for any entry.
                if (start + i == 0) return std::nullopt;
                return start + i;
            }
        }
    }
    return std::nullopt;
}

bool ReadEndRecord(ZipInput& input, std::uint64_t position, EndRecord& record) {
    std::array<std::uint8_t, kEndRecordSize> bytes;
    if (!input.ReadExact(position, bytes.data(), bytes.size())) return false;
    ByteCursor cursor(bytes.data(), bytes.size());
    cursor.Skip(4);
    const std::uint16_t disk = cursor.U16();
    const std::uint16_t directoryDisk = cursor.U16();
    const std::uint16_t entriesHere = cursor.U16();
    record.entryCount = cursor.U16();
    record.directorySize = cursor.U32();
    record.directoryOffset = cursor.U32();
    record.position = position;
    return cursor.ok() && disk == 0 && directoryDisk == 0 && entriesHere == record.entryCount &&
           position >= std::uint64_t{record.directoryOffset} + record.directorySize;
}

bool ParseCentralRecord(std::span<const std::uint8_t> bytes, CentralRecord& record) {
    ByteCursor cursor(bytes);
    if (cursor.U32() != kCentralSignature) return false;
    cursor.Skip(4);  // versions
    record.flags = cursor.U16();
    record.method = cursor.U16();
    record.dosTime = cursor.U32();
    record.crc = cursor.U32();
    record.compressedSize = cursor.U32();
    record.uncompressedSize = cursor.U32();
    record.nameLength = cursor.U16();
    record.extraLength = cursor.U16();
    record.commentLength = cursor.U16();
    cursor.Skip(4);  // disk number, internal attributes
    record.externalAttributes = cursor.U32();
    record.localOffset = cursor.U32();
    return cursor.ok();
}

bool ParseLocalHeader(std::span<const std::uint8_t> bytes, LocalHeader& header) {
    ByteCursor cursor(bytes);
    if (cursor.U32() != kLocalSignature) return false;
    cursor.Skip(2);  // version needed
    header.flags = cursor.U16();
    header.method = cursor.U16();
    cursor.Skip(4);  // the central record's time is the one used
    header.crc = cursor.U32();
    header.compressedSize = cursor.U32();
    header.uncompressedSize = cursor.U32();
    header.nameLength = cursor.U16();
    header.extraLength = cursor.U16();
    return cursor.ok();
}

bool LocalHeaderAgrees(const LocalHeader& local, const CentralRecord& central) {
    if (local.method != central.method) return false;
    if (central.method != kMethodStored && central.method != kMethodDeflated) return false;
    if (local.nameLength != central.nameLength) return false;
    if (!(local.flags & kFlagDataDescriptor) &&
        (local.crc != central.crc || local.compressedSize != central.compressedSize ||
         local.uncompressedSize != central.uncompressedSize))
        return false;
    // Not readable here: encrypted data, and Zip64 sizes or offsets.
    constexpr std::uint16_t kEncrypted = kFlagEncrypted | kFlagStrongEncryption;
    if ((local.flags | central.flags) & kEncrypted) return false;
    constexpr std::uint32_t kZip64 = 0xFFFFFFFF;
    return central.compressedSize != kZip64 && central.uncompressedSize != kZip64 && central.localOffset != kZip64;
}

std::uint32_t MapAttributes(std::uint32_t a) {
    std::uint32_t attributes = kAttributeNormal;
    if ((a & (1u << 30)) || (a & (1u << 4))) attributes |= kAttributeDirectory;
    if (a & (1u << 5)) attributes |= kAttributeArchive;
    if (a & (1u << 1)) attributes |= kAttributeHidden;
    if (!(a & (1u << 23)) || (a & 1u)) attributes |= kAttributeReadOnly;
    if (a & (1u << 2)) attributes |= kAttributeSystem;
    return attributes;
}

std::uint64_t DosTimeToFileTime(std::uint32_t dosDateTime) {
    const unsigned date = dosDateTime >> 16;
    const unsigned time = dosDateTime & 0xFFFF;
    const int year = 1980 + static_cast<int>(date >> 9);
    const int month = static_cast<int>((date >> 5) & 0x0F);
    const int day = static_cast<int>(date & 0x1F);
    const int hour = static_cast<int>(time >> 11);
    const int minute = static_cast<int>((time >> 5) & 0x3F);
    const int second = static_cast<int>(time & 0x1F) * 2;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
        second > 59)
        return 0;
    const std::int64_t seconds = DaysSince1601(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond;
}

std::uint64_t UnixTimeToFileTime(std::int32_t seconds) {
    return static_cast<std::uint64_t>(seconds + kUnixEpochSeconds) * kTicksPerSecond;
}

void ApplyTimestampBlock(std::span<const std::uint8_t> extra, UnzipEntry& entry) {
    std::size_t start = 0;
    while (extra.size() - start >= 5) {
        ByteCursor block(extra.subspan(start));
        const std::uint16_t tag = block.U16();
        const std::uint16_t size = block.U16();
        if (tag != 0x5455) {
            start += std::size_t{size} + 4;
            if (start > extra.size()) return;
            continue;
        }
        // Times are read only from within the block and within the field.
        ByteCursor data(block.Bytes(std::min<std::size_t>(size, block.remaining())));
        const std::uint8_t flags = data.U8();
        std::uint64_t* const targets[] = {&entry.modificationTime, &entry.accessTime, &entry.creationTime};
        for (int bit = 0; bit < 3; ++bit) {
            if (!(flags & (1u << bit))) continue;
            const std::int32_t seconds = data.I32();
            if (!data.ok()) break;
            *targets[bit] = UnixTimeToFileTime(seconds);
        }
        return;
    }
}

bool IsSafeEntryName(std::string_view name) {
    if (name.empty() || IsSeparator(name.front())) return false;
    if (name.find(':') != std::string_view::npos) return false;
    // Windows allows no control characters in names.
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        const std::string_view part = name.substr(start, end - start);
        if (IsDotsComponent(part) || IsDeviceName(part)) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace ph::update
