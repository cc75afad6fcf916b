#pragma once
// Twips to pixels, and where each thing on the court is painted: the same for every
// front-end. 15 twips make a pixel at 96 dpi; a front-end scales pixels for its screen.
#include <algorithm>

namespace quindra {

constexpr int twipsPerPixel = 15;

// The main window's client area, which the court fills, in twips.
constexpr double clientAreaWidth = 7455;
constexpr double clientAreaHeight = 5070;

// A value rounded to the nearest whole number, halves away from zero, as the court has
// always been placed on screen.
constexpr int roundToPixel(double value) {
    return value >= 0 ? static_cast<int>(value + 0.5) : -static_cast<int>(-value + 0.5);
}

// At `dpi` dots per inch: a twip is 1/1440 inch, so 96 dpi gives 15 twips a pixel.
constexpr int toPixelsAt(double twips, int dpi) {
    return roundToPixel(twips * dpi / 1440.0);
}
constexpr int toPixels(double twips) {
    return toPixelsAt(twips, 96);
}
// A width given in pixels at 96 dpi (a border, a line), at `dpi`.
constexpr int scaledWidth(int pixels, int dpi) {
    return roundToPixel(pixels * dpi / 96.0);
}
constexpr float toTwips(int pixels) {
    return static_cast<float>(pixels * twipsPerPixel);
}

// A point size as pixels at 96 dpi, so text keeps its size against the court.
constexpr int pointsToPixels(double points) {
    return roundToPixel(points * 96.0 / 72.0);
}

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;

    constexpr bool empty() const { return width <= 0 || height <= 0; }
    constexpr int right() const { return x + width; } // one past the last column
    constexpr int bottom() const { return y + height; }
    constexpr bool intersects(const PixelRect& o) const {
        return !empty() && !o.empty() && x < o.right() && o.x < right() && y < o.bottom() &&
               o.y < bottom();
    }
    constexpr PixelRect intersected(const PixelRect& o) const {
        const int left = std::max(x, o.x), top = std::max(y, o.y);
        const int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        return r > left && b > top ? PixelRect{left, top, r - left, b - top} : PixelRect{};
    }
    constexpr PixelRect united(const PixelRect& o) const {
        if (empty())
            return o;
        if (o.empty())
            return *this;
        const int left = std::min(x, o.x), top = std::min(y, o.y);
        return {left, top, std::max(right(), o.right()) - left,
                std::max(bottom(), o.bottom()) - top};
    }
    constexpr PixelRect grown(int left, int top, int right, int bottom) const {
        return {x - left, y - top, width + left + right, height + top + bottom};
    }
    constexpr bool operator==(const PixelRect&) const = default;
};

// Edges are rounded each on its own, so neighbouring elements meet without gaps.
constexpr PixelRect toPixelRectAt(double left, double top, double width, double height, int dpi) {
    const int x = toPixelsAt(left, dpi);
    const int y = toPixelsAt(top, dpi);
    return {x, y, toPixelsAt(left + width, dpi) - x, toPixelsAt(top + height, dpi) - y};
}
constexpr PixelRect toPixelRect(double left, double top, double width, double height) {
    return toPixelRectAt(left, top, width, height, 96);
}

// A place at 96 dpi, grown to cover whatever `dpi` draws there: the pixels it touches and
// one more all round for edges rounded the other way.
constexpr PixelRect coverAt(const PixelRect& r, int dpi) {
    if (r.empty())
        return r;
    const auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const int x = floorDiv(r.x * dpi, 96) - 1, y = floorDiv(r.y * dpi, 96) - 1;
    const int right = -floorDiv(-r.right() * dpi, 96) + 1;
    const int bottom = -floorDiv(-r.bottom() * dpi, 96) + 1;
    return {x, y, right - x, bottom - y};
}

// The set columns stand 240 twips apart: a count keeps a clear gap before the next, wider
// than the space between its own digits, so 12 beside 3 never reads as 123.
constexpr int setCaptionRoom = toPixels(240) - 5;

// What a label paints: a transparent caption may run past its box, up to the next column.
constexpr PixelRect captionArea(const PixelRect& label, bool transparent) {
    return transparent ? label.grown(0, 0, setCaptionRoom, 0) : label;
}

// What a shape paints: one pixel more all round for the ball's smoothed edge.
constexpr PixelRect shapeArea(const PixelRect& shape) {
    return shape.grown(1, 1, 1, 1);
}

} // namespace quindra
