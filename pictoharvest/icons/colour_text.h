#pragma once
// Colours as the settings store keeps them: the name of a standard colour
// ("clWhite", "clRed", ...) or "$" and eight hexadecimal digits 00BBGGRR.
// Values are COLORREF-ordered (0x00BBGGRR); system colours carry 0x80 or
// 0xFF in the top byte and the system colour index in the low byte.
// Portable: no windows.h here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ph {

// Accepts a colour name (any letter case), "$" with one to eight
// hexadecimal digits, "0x" hexadecimal, or decimal digits.
std::optional<std::uint32_t> ParseColourText(std::string_view text);

// The colour's name when a standard colour has that value, else "$00BBGGRR".
std::string ColourText(std::uint32_t colour);

}  // namespace ph
