#include "pictoharvest/icons/colour_text.h"

#include <gtest/gtest.h>

namespace ph {
namespace {

TEST(ColourText, NamesAndHexBothWays) {
    const struct {
        std::uint32_t colour;
        const char* text;
    } cases[] = {
        {0xFFFFFF, "clWhite"},  {0x000000, "clBlack"},     {0x0000FF, "clRed"},
        {0xFF0000, "clBlue"},   {0x808080, "clGray"},      {0xF0CAA6, "clSkyBlue"},
        {0x123456, "$00123456"}, {0x00BBCCDD, "$00BBCCDD"}, {0xFF000005, "clWindow"},
        {0x1FFFFFFF, "clNone"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourText(c.colour), c.text);
        EXPECT_EQ(ParseColourText(c.text), c.colour) << c.text;
    }
}

TEST(ColourText, ReadsOtherForms) {
    EXPECT_EQ(ParseColourText("CLWHITE"), 0xFFFFFFu);
    EXPECT_EQ(ParseColourText("clLtGray"), 0xC0C0C0u);
    EXPECT_EQ(ParseColourText("$ff"), 0xFFu);
    EXPECT_EQ(ParseColourText("0x00FF00"), 0x00FF00u);
    EXPECT_EQ(ParseColourText("16777215"), 0xFFFFFFu);
    for (const char* bad : {"", "$", "$123456789", "clWhit", "white", "12x", "99999999999", "0x"})
        EXPECT_FALSE(ParseColourText(bad)) << bad;
}

}  // namespace
}  // namespace ph
