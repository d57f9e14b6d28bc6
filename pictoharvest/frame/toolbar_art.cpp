#include "pictoharvest/frame/toolbar_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace ph {
namespace {

struct Point {
    double x, y;
};

using Shape = std::function<bool(double x, double y)>;

// A small picture that shapes are painted onto with 4 x 4 samples per pixel.
class Canvas {
public:
    explicit Canvas(int size) : size_(size), pixels_(static_cast<size_t>(size * size), 0) {}

    void Paint(const Shape& inside, std::uint32_t colour) {
        constexpr int kSamples = 4;
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
                if (hits) Blend(pixels_[static_cast<size_t>(y * size_ + x)], colour, hits / 16.0);
            }
        }
    }
    std::vector<std::uint32_t> Take() { return std::move(pixels_); }

private:
    static void Blend(std::uint32_t& under, std::uint32_t over, double coverage) {
        const double a = ((over >> 24) / 255.0) * coverage;
        const double b = (under >> 24) / 255.0;
        const double outA = a + b * (1 - a);
        if (outA <= 0) return;
        auto channel = [&](int shift) {
            const double top = ((over >> shift) & 0xFF);
            const double bottom = ((under >> shift) & 0xFF);
            return static_cast<std::uint32_t>(std::lround((top * a + bottom * b * (1 - a)) / outA));
        };
        under = (static_cast<std::uint32_t>(std::lround(outA * 255)) << 24) | (channel(16) << 16) |
                (channel(8) << 8) | channel(0);
    }
    int size_;
    std::vector<std::uint32_t> pixels_;
};

Shape Polygon(std::vector<Point> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
}

Shape Disc(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

// Part of a ring between two radii, from one angle to another (degrees,
// counter-clockwise from three o'clock, y pointing down the picture).
Shape Arc(double cx, double cy, double inner, double outer, double from, double to) {
    return [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        if (d < inner || d > outer) return false;
        double angle = std::atan2(cy - y, x - cx) * 180 / std::numbers::pi;
        if (angle < 0) angle += 360;
        return from <= to ? angle >= from && angle <= to : angle >= from || angle <= to;
    };
}

Shape Box(double left, double top, double right, double bottom) {
    return [=](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

constexpr std::uint32_t kShadow = 0x40000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

void RoundButton(Canvas& canvas, std::uint32_t rim, std::uint32_t face, std::uint32_t light) {
    canvas.Paint(Disc(12.5, 13, 10.5), kShadow);
    canvas.Paint(Disc(12, 12, 10.5), rim);
    canvas.Paint(Disc(12, 12, 9.3), face);
    canvas.Paint(Arc(12, 12, 5.5, 8.6, 60, 150), light);
}

std::vector<std::uint32_t> Back(bool forward) {
    Canvas canvas(kToolbarPictureSize);
    RoundButton(canvas, 0xFF1E7A1E, 0xFF3DB53D, 0x5AFFFFFF);
    std::vector<Point> arrow = {{5, 12}, {11.5, 5.5}, {11.5, 9.5}, {18.5, 9.5},
                                {18.5, 14.5}, {11.5, 14.5}, {11.5, 18.5}};
    if (forward)
        for (Point& p : arrow) p.x = 24 - p.x;
    canvas.Paint(Polygon(arrow), kWhite);
    return canvas.Take();
}

std::vector<std::uint32_t> Up() {
    Canvas canvas(kToolbarPictureSize);
    // A folder with a green arrow leaving it.
    canvas.Paint(Polygon({{2, 7}, {9, 7}, {11, 9}, {21, 9}, {21, 21}, {2, 21}}), 0xFFB8860B);
    canvas.Paint(Polygon({{3, 11}, {20, 11}, {20, 20}, {3, 20}}), 0xFFF5C842);
    canvas.Paint(Polygon({{12, 2}, {18.5, 8.5}, {14.5, 8.5}, {14.5, 17}, {9.5, 17}, {9.5, 8.5}, {5.5, 8.5}}),
                 0xFF1E7A1E);
    canvas.Paint(Polygon({{12, 3.6}, {16.6, 7.8}, {13.6, 7.8}, {13.6, 16}, {10.4, 16}, {10.4, 7.8}, {7.4, 7.8}}),
                 0xFF46C046);
    return canvas.Take();
}

std::vector<std::uint32_t> Views() {
    Canvas canvas(kToolbarPictureSize);
    canvas.Paint(Box(2, 3, 21, 20), 0xFF5A6E8C);
    canvas.Paint(Box(3, 4, 20, 19), kWhite);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const double left = 4.5 + column * 8;
            const double top = 5.5 + row * 7;
            canvas.Paint(Box(left, top, left + 3.5, top + 3.5), 0xFF2F6FD0);
            canvas.Paint(Box(left + 4.5, top + 0.5, left + 7, top + 1.3), 0xFF7A869A);
            canvas.Paint(Box(left + 4.5, top + 2.3, left + 6.3, top + 3.1), 0xFF7A869A);
        }
    }
    return canvas.Take();
}

std::vector<std::uint32_t> Refresh() {
    Canvas canvas(kToolbarPictureSize);
    // Two arrows chasing each other round a circle.
    canvas.Paint(Arc(12, 12, 5.5, 8.5, 20, 160), 0xFF2F6FD0);
    canvas.Paint(Arc(12, 12, 5.5, 8.5, 200, 340), 0xFF2F6FD0);
    canvas.Paint(Polygon({{0.8, 10.5}, {12.2, 10.5}, {6.5, 17}}), 0xFF2F6FD0);
    canvas.Paint(Polygon({{23.2, 13.5}, {11.8, 13.5}, {17.5, 7}}), 0xFF2F6FD0);
    return canvas.Take();
}

std::vector<std::uint32_t> Update() {
    Canvas canvas(kToolbarPictureSize);
    // A globe with a green arrow coming down onto it.
    canvas.Paint(Disc(11, 13, 9.5), 0xFF1F5FA8);
    canvas.Paint(Disc(11, 13, 8.5), 0xFF58A6E8);
    canvas.Paint(Polygon({{6, 8}, {10, 7}, {12, 10}, {9, 13}, {10, 17}, {7, 19}, {5, 15}, {4, 11}}), 0xFF3C9A3C);
    canvas.Paint(Polygon({{13, 14}, {17, 13}, {18, 17}, {15, 20}}), 0xFF3C9A3C);
    canvas.Paint(Polygon({{16.5, 1}, {21.5, 1}, {21.5, 6}, {24, 6}, {19, 12}, {14, 6}, {16.5, 6}}), 0xFF1E7A1E);
    canvas.Paint(Polygon({{17.5, 2}, {20.5, 2}, {20.5, 7}, {22, 7}, {19, 10.5}, {16, 7}, {17.5, 7}}), 0xFF56D056);
    return canvas.Take();
}

std::vector<std::uint32_t> Information() {
    Canvas canvas(kToolbarPictureSize);
    RoundButton(canvas, 0xFF1F4F9A, 0xFF3A7FD5, 0x50FFFFFF);
    canvas.Paint(Disc(12, 7, 1.8), kWhite);
    canvas.Paint(Polygon({{9.5, 10}, {13.8, 10}, {13.8, 17}, {15, 17}, {15, 18.8}, {9, 18.8}, {9, 17},
                          {10.3, 17}, {10.3, 11.8}, {9.5, 11.8}}),
                 kWhite);
    return canvas.Take();
}

}  // namespace

std::vector<std::uint32_t> ToolbarPicture(int index) {
    switch (index) {
        case 0: return Back(false);
        case 1: return Back(true);
        case 2: return Up();
        case 3: return Views();
        case 4: return Refresh();
        case 5: return Update();
        case 6: return Information();
        default: return std::vector<std::uint32_t>(kToolbarPictureSize * kToolbarPictureSize, 0);
    }
}

std::vector<std::uint32_t> SortArrow(bool up) {
    // A solid black triangle four rows high, centred in the 7 x 7 square on
    // white: the header shows the bitmap as it is, without a mask.
    constexpr std::uint32_t kPaper = 0xFFFFFFFF;
    constexpr std::uint32_t kInk = 0xFF000000;
    std::vector<std::uint32_t> pixels(kArrowSize * kArrowSize, kPaper);
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        for (int x = 3 - half; x <= 3 + half; ++x) pixels[static_cast<size_t>((row + 1) * kArrowSize + x)] = kInk;
    }
    return pixels;
}

}  // namespace ph
