#pragma once
// Draws the court and everything on it with GDI, bottom to top, from the game's elements,
// at the window's dots per inch. It draws into a picture of the whole client area kept
// between paints, and only where the game changed; the window's paints copy from it, so
// nothing flickers.
#include "app/ChangeRecord.h"
#include "app/CourtScene.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quindra {
class GameCore;
struct Label;
} // namespace quindra

namespace quindra::win32 {

class CourtPainter {
  public:
    explicit CourtPainter(const GameCore& game);
    ~CourtPainter();
    CourtPainter(const CourtPainter&) = delete;
    CourtPainter& operator=(const CourtPainter&) = delete;

    // A picture of `size` device pixels at `dpi`, drawn whole.
    void resize(HDC screen, SIZE size, int dpi);
    // Draws what changed since the last call into the picture; returns where, in device
    // pixels, for the window to show.
    std::vector<RECT> update();
    // Copies the picture to the window's paint.
    void show(HDC target, const RECT& where) const;

  private:
    void draw(const std::vector<RECT>& where);
    void fillRect(const PixelRect& r, COLORREF colour) const;
    void drawBall(const ScenePiece& piece) const;
    void drawLabel(const ScenePiece& piece) const;
    HFONT fontFor(const Label& l, int width) const;

    const GameCore& game_;
    ChangeRecord changes_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    SIZE size_{0, 0};
    int dpi_ = 96;
    bool whole_ = true;
    std::vector<ScenePiece> scene_;
    struct Font {
        std::string name;
        double size;
        bool bold;
        int width;
        int dpi;
        HFONT handle;
    };
    mutable std::vector<Font> fonts_;
};

// A colour of the game as Windows draws it; system colours are Windows' own.
COLORREF toColorRef(std::uint32_t colour);

} // namespace quindra::win32
