#pragma once
// What the court shows, bottom to top, as both windows draw it: the strip below the court,
// the court and its outline, its lines, the racquets, the board's captions, the ball, and
// "Pausa" over them while a rally waits. Each piece is placed in pixels at the painter's
// dots per inch; a painter only draws each piece as its kind says.
#include "Colours.h"
#include "Layout.h"

#include <vector>

namespace quindra {

class GameCore;
struct Label;
struct Shape;

struct ScenePiece {
    enum class Kind { Fill, Caption, Ball };
    Kind kind = Kind::Fill;
    PixelRect place;
    // Whatever the piece may paint: a caption may run past its label, the smoothed ball one
    // pixel past its box.
    PixelRect reach;
    Colour colour = 0;            // a fill's
    const Label* label = nullptr; // a caption's
    // How far, in pixels at 96 dpi, a caption may reach before it meets its neighbour: a
    // wider one is drawn narrower. 0 for no limit.
    int room = 0;
    const Shape* ball = nullptr;
    int border = 0; // the ball's outline, in pixels at the painter's dpi
};

// The court at `dpi`, into `scene` (cleared first; its room is kept for the next paint).
void courtScene(const GameCore& game, int dpi, std::vector<ScenePiece>& scene);

} // namespace quindra
