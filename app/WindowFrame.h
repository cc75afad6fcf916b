#pragma once
// The main window's outer size: frame, title bar and menu bar around the client area.
#include <QSize>

class QWidget;

namespace quindra {

struct Decorations {
    int left;
    int top; // title bar and upper border
    int right;
    int bottom;
};

// Where the platform reports no frame at all (the offscreen platform, an X server with
// no window manager, Wayland without server-side decorations) the game still needs an
// outer size: these are the decorations of the classic fixed single-line window frame,
// 3-pixel borders and a 19-pixel title bar, in pixels.
constexpr Decorations typicalDecorations{3, 22, 3, 3};

// A title bar thinner than this means the platform gave the window none.
constexpr int thinnestTitleBar = 10;

// The outer size in logical pixels, menu bar included.
QSize outerSize(const QWidget& window);

} // namespace quindra
