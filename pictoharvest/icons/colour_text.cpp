#include "pictoharvest/icons/colour_text.h"

#include <array>
#include <cstdio>

namespace ph {

namespace {

struct NamedColour {
    std::string_view name;
    std::uint32_t value;
};

// In the order names are chosen when text is made: the first match wins.
constexpr std::array<NamedColour, 20> kNamedColours{{
    {"clBlack", 0x000000},       {"clMaroon", 0x000080},      {"clGreen", 0x008000},
    {"clOlive", 0x008080},       {"clNavy", 0x800000},        {"clPurple", 0x800080},
    {"clTeal", 0x808000},        {"clGray", 0x808080},        {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},         {"clLime", 0x00FF00},        {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},     {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},       {"clMoneyGreen", 0xC0DCC0},  {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},       {"clMedGray", 0xA4A0A0},
}};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<std::uint32_t> ParseColourText(std::string_view text) {
    for (const auto& named : kNamedColours)
        if (SameText(text, named.name)) return named.value;
    if (text.size() != 9 || text[0] != '$') return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string ColourText(std::uint32_t colour) {
    for (const auto& named : kNamedColours)
        if (named.value == colour) return std::string(named.name);
    char text[10];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(colour));
    return text;
}

}  // namespace ph
