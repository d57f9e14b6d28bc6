#include "pictoharvest/icons/colour_text.h"

#include <gtest/gtest.h>

namespace ph {
namespace {

TEST(ColourText, NamesAndHexBothWays) {
    const struct {
        std::uint32_t colour;
        const char* text;
    } cases[] = {
        {0x000000, "clBlack"},       {0x000080, "clMaroon"},    {0x008000, "clGreen"},   {0x008080, "clOlive"},
        {0x800000, "clNavy"},        {0x800080, "clPurple"},    {0x808000, "clTeal"},    {0x808080, "clGray"},
        {0xC0C0C0, "clSilver"},      {0x0000FF, "clRed"},       {0x00FF00, "clLime"},    {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},        {0xFF00FF, "clFuchsia"},   {0xFFFF00, "clAqua"},    {0xFFFFFF, "clWhite"},
        {0xC0DCC0, "clMoneyGreen"},  {0xF0CAA6, "clSkyBlue"},   {0xF0FBFF, "clCream"},   {0xA4A0A0, "clMedGray"},
        {0x123456, "$00123456"},     {0x00BBCCDD, "$00BBCCDD"}, {0xFEFFFF, "$00FEFFFF"}, {0x01FFFFFF, "$01FFFFFF"},
        // System colours and the special values are not plain colours.
        {0xFF000005, "$FF000005"},   {0x80000005, "$80000005"}, {0x1FFFFFFF, "$1FFFFFFF"}, {0x20000000, "$20000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourText(c.colour), c.text);
        EXPECT_EQ(ParseColourText(c.text), c.colour) << c.text;
    }
}

TEST(ColourText, AnyOtherTextIsNoColour) {
    EXPECT_EQ(ParseColourText("CLWHITE"), 0xFFFFFFu);
    EXPECT_EQ(ParseColourText("clmoneygreen"), 0xC0DCC0u);
    EXPECT_EQ(ParseColourText("$00ffaa00"), 0xFFAA00u);
    for (const char* bad : {"", "$", "$ff", "$0FFFFFF", "$123456789", "$0000000G", "$-0000001", " $00000000",
                            "clWhit", "white", "clWindow", "clBtnFace", "clNone", "clDefault", "clGrey", "clLtGray",
                            "0x00FF00", "16777215", "clWhite "})
        EXPECT_FALSE(ParseColourText(bad)) << bad;
}

}  // namespace
}  // namespace ph
