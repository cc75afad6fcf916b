#pragma once
// Where the court's twips meet Qt: the game's pixel layout as Qt's rectangles, its colours
// and its fonts.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

#include "Colours.h"
#include "Layout.h"

namespace quindra {

inline QRect toQRect(const PixelRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

inline PixelRect fromQRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// Edges are rounded each on its own, so neighbouring elements meet without gaps.
inline QRect toPixelQRect(double left, double top, double width, double height) {
    return toQRect(toPixelRect(left, top, width, height));
}

inline QSize toPixelSize(double width, double height) {
    return QSize(toPixels(width), toPixels(height));
}

// 0x00BBGGRR to a colour; system colours from the palette of the standard scheme.
QColor toQColor(Colour colour, const QPalette& palette);
Colour fromQColor(const QColor& colour);

// The named font when the machine has it, else a sans-serif of the same size.
QFont gameFont(const QString& family, double points, bool bold, bool underline = false);

} // namespace quindra
