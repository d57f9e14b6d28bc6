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
constexpr std::array<NamedColour, 47> kNamedColours{{
    {"clBlack", 0x000000},       {"clMaroon", 0x000080},      {"clGreen", 0x008000},
    {"clOlive", 0x008080},       {"clNavy", 0x800000},        {"clPurple", 0x800080},
    {"clTeal", 0x808000},        {"clGray", 0x808080},        {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},         {"clLime", 0x00FF00},        {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},     {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},       {"clMoneyGreen", 0xC0DCC0},  {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},       {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", 0xFF00000A},     {"clActiveCaption", 0xFF000002},
    {"clAppWorkSpace", 0xFF00000C},     {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},          {"clBtnHighlight", 0xFF000014},
    {"clBtnShadow", 0xFF000010},        {"clBtnText", 0xFF000012},
    {"clCaptionText", 0xFF000009},      {"clDefault", 0x20000000},
    {"clGrayText", 0xFF000011},         {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},    {"clInactiveBorder", 0xFF00000B},
    {"clInactiveCaption", 0xFF000003},  {"clInactiveCaptionText", 0xFF000013},
    {"clInfoBk", 0xFF000018},           {"clInfoText", 0xFF000017},
    {"clMenu", 0xFF000004},             {"clMenuText", 0xFF000007},
    {"clNone", 0x1FFFFFFF},             {"clScrollBar", 0xFF000000},
    {"cl3DDkShadow", 0xFF000015},       {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},           {"clWindowFrame", 0xFF000006},
    {"clWindowText", 0xFF000008},
}};

// Other spellings accepted when reading.
constexpr std::array<NamedColour, 4> kAliases{{
    {"clGrey", 0x808080}, {"clDkGray", 0x808080}, {"clLtGray", 0xC0C0C0}, {"clMedGrey", 0xA4A0A0},
}};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::optional<std::uint32_t> ParseDigits(std::string_view digits, unsigned base) {
    if (digits.empty() || digits.size() > (base == 16 ? 8u : 10u)) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f') digit = static_cast<unsigned>(Lower(c) - 'a' + 10);
        else return std::nullopt;
        value = value * base + digit;
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> ParseColourText(std::string_view text) {
    for (const auto& named : kNamedColours)
        if (SameText(text, named.name)) return named.value;
    for (const auto& named : kAliases)
        if (SameText(text, named.name)) return named.value;
    if (text.starts_with('$')) return ParseDigits(text.substr(1), 16);
    if (text.size() > 2 && text[0] == '0' && Lower(text[1]) == 'x') return ParseDigits(text.substr(2), 16);
    return ParseDigits(text, 10);
}

std::string ColourText(std::uint32_t colour) {
    for (const auto& named : kNamedColours)
        if (named.value == colour) return std::string(named.name);
    char text[10];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(colour));
    return text;
}

}  // namespace ph
