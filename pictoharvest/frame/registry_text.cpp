#include "pictoharvest/frame/registry_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ph {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = Upper(c);
    return upper;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string UpToNul(const std::uint8_t* data, std::size_t size) {
    std::size_t length = 0;
    while (length < size && data[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(data), length);
}

// The strings of the list joined by spaces, up to the empty string that ends
// it or to the end of the data; a last string may lack its NUL.
std::string JoinMultiString(const std::uint8_t* data, std::size_t size) {
    std::string text;
    std::size_t at = 0;
    while (at < size && data[at] != 0) {
        std::size_t end = at;
        while (end < size && data[end] != 0) ++end;
        if (!text.empty()) text += ' ';
        text.append(reinterpret_cast<const char*>(data + at), end - at);
        at = end + 1;
    }
    return text;
}

std::string HexBytes(const std::uint8_t* data, std::size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        if (i) text += ' ';
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0xF];
    }
    return text;
}

std::vector<std::uint8_t> WithNul(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace

std::string ExtractData(const std::uint8_t* data, std::uint32_t type, std::size_t size) {
    if (!data) size = 0;
    switch (type) {
        case kRegSz:
        case kRegExpandSz:
            return UpToNul(data, size);
        case kRegMultiSz:
            return JoinMultiString(data, size);
        case kRegDword: {
            if (size < 4) return {};
            const std::uint32_t value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
            char text[16];
            std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<std::int32_t>(value)));
            return text;
        }
        case kRegNone:
        case kRegBinary:
        case kRegDwordBigEndian:
        case kRegLink:
        case kRegResourceList:
        case kRegFullResourceDescriptor:
        case kRegResourceRequirementsList:
        case kRegQword:
            return HexBytes(data, size);
        default:
            return {};
    }
}

std::optional<std::vector<std::uint8_t>> ParseBinaryText(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 0; at < text.size() && bytes.size() < kMaxBinaryBytes; at += 3) {
        if (at + 1 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[at]), low = HexDigit(text[at + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

std::optional<std::uint32_t> ParseDwordText(std::string_view text, char decimalSeparator) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    // Checked here, then read in the C form by from_chars.
    std::string plain;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) plain += text[at++];
    std::size_t digits = 0;
    while (at < text.size() && IsDigit(text[at])) plain += text[at++], ++digits;
    if (at < text.size() && text[at] == decimalSeparator) {
        plain += '.';
        ++at;
        while (at < text.size() && IsDigit(text[at])) plain += text[at++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (at < text.size() && Upper(text[at]) == 'E') {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) plain += text[at++];
        std::size_t exponentDigits = 0;
        while (at < text.size() && IsDigit(text[at])) plain += text[at++], ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    const char* begin = plain.data() + (plain.front() == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(begin, plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    value = std::trunc(value);
    if (!(value >= -2147483648.0 && value <= 4294967295.0)) return std::nullopt;
    if (value < 0) return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    return static_cast<std::uint32_t>(value);
}

std::optional<RegistryData> DataForLetter(std::string_view letter, std::string_view text, char decimalSeparator) {
    if (letter == "s") return RegistryData{kRegSz, WithNul(text)};
    if (letter == "e") return RegistryData{kRegExpandSz, WithNul(text.substr(0, text.find('\0')))};
    if (letter == "m") return RegistryData{kRegMultiSz, WithNul(text)};
    if (letter == "i") {
        const auto value = ParseDwordText(text, decimalSeparator);
        if (!value) return std::nullopt;
        return RegistryData{kRegDword,
                            {static_cast<std::uint8_t>(*value), static_cast<std::uint8_t>(*value >> 8),
                             static_cast<std::uint8_t>(*value >> 16), static_cast<std::uint8_t>(*value >> 24)}};
    }
    if (letter == "b") {
        auto bytes = ParseBinaryText(text);
        if (!bytes) return std::nullopt;
        return RegistryData{kRegBinary, std::move(*bytes)};
    }
    return std::nullopt;
}

std::uint32_t AccessMask(bool write, bool isWow64, std::string_view keyPath) {
    std::uint32_t mask = write ? kKeyWrite : kKeyRead;
    if (isWow64 && UpperAscii(keyPath).find("WOW6432NODE") == std::string::npos) mask |= kKeyWow64_64Key;
    return mask;
}

std::optional<std::string> Wow64MirrorPath(bool isWow64, int root, std::string_view keyPath) {
    if (!isWow64 || root != 2 || !UpperAscii(keyPath).starts_with("SOFTWARE")) return std::nullopt;
    const std::size_t slash = keyPath.find('\\');
    const std::string_view rest = slash == std::string_view::npos ? keyPath : keyPath.substr(slash + 1);
    return "SOFTWARE\\Wow6432Node\\" + std::string(rest);
}

std::optional<int> ParseStoredInt(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace ph
