#pragma once
// Edge alignment of child controls, the way form designers arrange docked
// panes: top and bottom items take whole rows, then left and right items
// take columns of what is left, and one client item fills the rest.
// Portable: no windows.h, so the rule is tested natively.
#include <span>

namespace winui {

enum class Align { None, Top, Bottom, Left, Right, Client };

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Bounds&) const = default;
};

struct LayoutItem {
    Align align = Align::None;
    Bounds bounds;
    bool visible = true;
};

// Places every visible aligned item inside a client area of the given size.
// Items are taken kind by kind (top, bottom, left, right, client) and, within
// a kind, in the order given: the first top item is the topmost, the first
// bottom item the lowest, and so on. A top or bottom item keeps its height,
// a left or right item its width; sizes shrink to what is left, never below
// zero. Items with Align::None and hidden items are left untouched.
void AlignItems(int clientWidth, int clientHeight, std::span<LayoutItem> items);

}  // namespace winui
