#pragma once
// The text forms of registry data: what a read gives for each registry type,
// what a write stores for each type letter, and which access and which
// 32-bit mirror key a path gets under WOW64.
// Portable: no windows.h here.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ph {

// Registry type numbers and access rights, as the system defines them.
inline constexpr std::uint32_t kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4,
                               kRegDwordBigEndian = 5, kRegLink = 6, kRegMultiSz = 7, kRegResourceList = 8,
                               kRegFullResourceDescriptor = 9, kRegResourceRequirementsList = 10, kRegQword = 11;
inline constexpr std::uint32_t kKeyRead = 0x20019, kKeyWrite = 0x20006, kKeyWow64_64Key = 0x100;

// The most bytes a "b" text stores.
inline constexpr std::size_t kMaxBinaryBytes = 2048;

// Text of `size` bytes of raw data of registry type `type`: strings up to
// their first NUL, multi-strings joined by spaces, a DWORD as signed decimal,
// every other known type as "0A 1B 2C"; unknown types, and a DWORD of fewer
// than four bytes, give empty text.
std::string ExtractData(const std::uint8_t* data, std::uint32_t type, std::size_t size);

// The bytes of a "b" text: a pair of hexadecimal digits at every third
// character from the first. Nothing when a pair is not two hex digits.
std::optional<std::vector<std::uint8_t>> ParseBinaryText(std::string_view text);

// A decimal number as "i" stores it: optional sign, digits with
// `decimalSeparator` and an exponent allowed, truncated toward zero, from
// -2147483648 to 4294967295. Nothing for any other text.
std::optional<std::uint32_t> ParseDwordText(std::string_view text, char decimalSeparator);

// What one write stores: its type and bytes.
struct RegistryData {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> bytes;
};

// The data a type letter ("s", "e", "m", "i", "b") stores for `text`;
// nothing for any other letter and for "i" or "b" text that does not read.
std::optional<RegistryData> DataForLetter(std::string_view letter, std::string_view text, char decimalSeparator);

// Access asked for a key path: KEY_READ or KEY_WRITE, with KEY_WOW64_64KEY
// under WOW64 unless the path names the 32-bit branch ("Wow6432Node").
std::uint32_t AccessMask(bool write, bool isWow64, std::string_view keyPath);

// The second key a write goes to under WOW64: for root 2 (the machine hive)
// and a path that begins with "SOFTWARE", "SOFTWARE\Wow6432Node\" and the
// path after its first backslash (all of it when it has none).
std::optional<std::string> Wow64MirrorPath(bool isWow64, int root, std::string_view keyPath);

// A stored number as the layout reads it: optional sign and decimal digits
// that fit an int. Nothing for any other text, which counts as missing.
std::optional<int> ParseStoredInt(std::string_view text);

}  // namespace ph
