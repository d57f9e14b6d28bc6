#include "winui/layout.h"

#include <algorithm>

namespace winui {

void AlignItems(int clientWidth, int clientHeight, std::span<LayoutItem> items) {
    int left = 0;
    int top = 0;
    int right = std::max(clientWidth, 0);
    int bottom = std::max(clientHeight, 0);

    auto place = [&](Align kind) {
        for (LayoutItem& item : items) {
            if (!item.visible || item.align != kind) continue;
            Bounds& b = item.bounds;
            const int freeWidth = right - left;
            const int freeHeight = bottom - top;
            switch (kind) {
                case Align::Top:
                    b.height = std::clamp(b.height, 0, freeHeight);
                    b = {left, top, freeWidth, b.height};
                    top += b.height;
                    break;
                case Align::Bottom:
                    b.height = std::clamp(b.height, 0, freeHeight);
                    b = {left, bottom - b.height, freeWidth, b.height};
                    bottom -= b.height;
                    break;
                case Align::Left:
                    b.width = std::clamp(b.width, 0, freeWidth);
                    b = {left, top, b.width, freeHeight};
                    left += b.width;
                    break;
                case Align::Right:
                    b.width = std::clamp(b.width, 0, freeWidth);
                    b = {right - b.width, top, b.width, freeHeight};
                    right -= b.width;
                    break;
                case Align::Client:
                    b = {left, top, freeWidth, freeHeight};
                    break;
                case Align::None:
                    break;
            }
        }
    };
    place(Align::Top);
    place(Align::Bottom);
    place(Align::Left);
    place(Align::Right);
    place(Align::Client);
}

}  // namespace winui
