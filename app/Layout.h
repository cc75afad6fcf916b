#pragma once
// Twips to pixels, and where each thing on the court is painted: the same for every
// front-end. 15 twips make a pixel at 96 dpi; a front-end scales pixels for its screen.
#include <algorithm>

namespace quindra {

constexpr int twipsPerPixel = 15;

// A value rounded to the nearest whole number, halves away from zero, as the court has
// always been placed on screen.
constexpr int roundToPixel(double value) {
    return value >= 0 ? static_cast<int>(value + 0.5) : -static_cast<int>(-value + 0.5);
}

constexpr int toPixels(double twips) {
    return roundToPixel(twips / twipsPerPixel);
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
constexpr PixelRect toPixelRect(double left, double top, double width, double height) {
    const int x = toPixels(left);
    const int y = toPixels(top);
    return {x, y, toPixels(left + width) - x, toPixels(top + height) - y};
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
