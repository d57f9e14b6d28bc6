#pragma once
// Colours as the settings store keeps them: the name of a standard colour
// ("clWhite", "clRed", ...) or "$" and eight hexadecimal digits 00BBGGRR.
// Values are COLORREF-ordered (0x00BBGGRR); a value with a top byte, such as
// a system colour, is written in the "$" form like any other.
// Portable: no windows.h here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ph {

// Accepts a standard colour's name (any letter case) or "$" with exactly
// eight hexadecimal digits; any other text is no colour.
std::optional<std::uint32_t> ParseColourText(std::string_view text);

// The name of the standard colour with that value (the sixteen basic colours,
// clMoneyGreen, clSkyBlue, clCream, clMedGray), else "$" and eight digits.
std::string ColourText(std::uint32_t colour);

}  // namespace ph
