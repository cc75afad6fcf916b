#pragma once
// The one place where twips meet logical pixels: 15 twips make a pixel at 96 dpi.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

#include "Colours.h"

namespace quindra {

constexpr int twipsPerPixel = 15;

inline int toPixels(double twips) {
    return qRound(twips / twipsPerPixel);
}
inline float toTwips(int pixels) {
    return static_cast<float>(pixels * twipsPerPixel);
}

// Edges are rounded each on its own, so neighbouring elements meet without gaps.
inline QRect toPixelRect(double left, double top, double width, double height) {
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

inline QSize toPixelSize(double width, double height) {
    return QSize(toPixels(width), toPixels(height));
}

// A point size as pixels at 96 dpi, so text keeps its size against the court.
inline int pointsToPixels(double points) {
    return qRound(points * 96.0 / 72.0);
}

// 0x00BBGGRR to a colour; system colours from the palette of the standard scheme.
QColor toQColor(Colour colour, const QPalette& palette);
Colour fromQColor(const QColor& colour);

// The named font when the machine has it, else a sans-serif of the same size.
QFont gameFont(const QString& family, double points, bool bold, bool underline = false);

} // namespace quindra
