#include "winui/layout.h"

#include <cctype>
#include <vector>

#include <gtest/gtest.h>

namespace winui {
namespace {

using A = Align;

TEST(AlignItems, BrowserWindowArrangement) {
    // The main window's panes in their creation order: bottom items are
    // placed before left and right ones, so the group pane spans the width.
    std::vector<LayoutItem> items = {
        {A::Top, {0, 0, 0, 25}},      // menu band
        {A::Top, {0, 0, 0, 72}},      // cool bar
        {A::Left, {0, 0, 200, 0}},    // folder pane
        {A::Left, {0, 0, 3, 0}},      // splitter
        {A::Client, {}},              // file list
        {A::Right, {0, 0, 244, 0}},   // icon panel
        {A::Bottom, {0, 0, 0, 220}},  // group pane
        {A::Bottom, {0, 0, 0, 3}},    // splitter above it
    };
    AlignItems(934, 562, items);
    const std::vector<Bounds> expected = {
        {0, 0, 934, 25},    {0, 25, 934, 72},  {0, 97, 200, 242}, {200, 97, 3, 242},
        {203, 97, 487, 242}, {690, 97, 244, 242}, {0, 342, 934, 220}, {0, 339, 934, 3},
    };
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].bounds, expected[i]) << "item " << i;
}

struct Case {
    const char* name;
    int width, height;
    std::vector<LayoutItem> items;
    std::vector<Bounds> expected;
};

class AlignCases : public ::testing::TestWithParam<Case> {};

TEST_P(AlignCases, PlacesItems) {
    Case c = GetParam();
    AlignItems(c.width, c.height, c.items);
    ASSERT_EQ(c.items.size(), c.expected.size());
    for (size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(c.items[i].bounds, c.expected[i]) << c.name << " item " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Layout, AlignCases,
    ::testing::Values(
        Case{"hidden items take no space", 100, 100,
             {{A::Top, {5, 5, 7, 30}, false}, {A::Top, {0, 0, 0, 10}}, {A::Client, {}}},
             {{5, 5, 7, 30}, {0, 0, 100, 10}, {0, 10, 100, 90}}},
        Case{"unaligned items keep their bounds", 100, 100,
             {{A::None, {8, 9, 10, 11}}, {A::Left, {0, 0, 40, 0}}, {A::Client, {}}},
             {{8, 9, 10, 11}, {0, 0, 40, 100}, {40, 0, 60, 100}}},
        Case{"sizes shrink to the space left", 50, 30,
             {{A::Top, {0, 0, 0, 20}}, {A::Bottom, {0, 0, 0, 20}}, {A::Left, {0, 0, 80, 0}},
              {A::Right, {0, 0, 10, 0}}, {A::Client, {}}},
             {{0, 0, 50, 20}, {0, 20, 50, 10}, {0, 20, 50, 0}, {50, 20, 0, 0}, {50, 20, 0, 0}}},
        Case{"first right item is the outermost", 100, 10,
             {{A::Right, {0, 0, 10, 0}}, {A::Right, {0, 0, 20, 0}}, {A::Client, {}}},
             {{90, 0, 10, 10}, {70, 0, 20, 10}, {0, 0, 70, 10}}},
        Case{"negative client area counts as empty", -5, -5,
             {{A::Top, {0, 0, 0, 10}}, {A::Client, {}}},
             {{0, 0, 0, 0}, {0, 0, 0, 0}}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

}  // namespace
}  // namespace winui
