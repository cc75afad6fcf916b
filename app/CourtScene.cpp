#include "CourtScene.h"

#include "GameCore.h"

#include <cmath>

namespace quindra {

namespace {

struct Builder {
    int dpi;
    std::vector<ScenePiece>& scene;

    PixelRect place(double left, double top, double width, double height) const {
        return toPixelRectAt(left, top, width, height, dpi);
    }
    void fill(const PixelRect& r, Colour colour) const {
        if (!r.empty())
            scene.push_back({ScenePiece::Kind::Fill, r, r, colour});
    }
    // The outline lies inside the shape, as wide as its border, the inside over it.
    void rectangle(const Shape& s) const {
        const PixelRect r = place(s.Left, s.Top, s.Width, s.Height);
        const int w = scaledWidth(s.BorderWidth, dpi);
        fill(r, s.BorderColor);
        fill(r.grown(-w, -w, -w, -w), s.BackColor);
    }
    // The court's lines run along the axes: each is a band of its width around its ends.
    void line(const Line& l) const {
        const double half = l.BorderWidth * twipsPerPixel / 2.0;
        const double left = std::min(l.X1, l.X2), top = std::min(l.Y1, l.Y2);
        if (l.X1 == l.X2)
            fill(place(left - half, top, 2 * half, std::abs(l.Y2 - l.Y1)), l.BorderColor);
        else if (l.Y1 == l.Y2)
            fill(place(left, top - half, std::abs(l.X2 - l.X1), 2 * half), l.BorderColor);
    }
    void caption(const Label& l, int room) const {
        const PixelRect r = place(l.Left, l.Top, l.Width, l.Height);
        const PixelRect reach =
            l.transparent ? r.grown(0, 0, scaledWidth(setCaptionRoom, dpi), 0) : r;
        scene.push_back({ScenePiece::Kind::Caption, r, reach, 0, &l, room});
    }
    void ball(const Shape& s) const {
        const PixelRect r = place(s.Left, s.Top, s.Width, s.Height);
        ScenePiece piece{ScenePiece::Kind::Ball, r, r.grown(1, 1, 1, 1)};
        piece.ball = &s;
        piece.border = scaledWidth(s.BorderWidth, dpi);
        scene.push_back(piece);
    }
};

} // namespace

void courtScene(const GameCore& g, int dpi, std::vector<ScenePiece>& scene) {
    scene.clear();
    const Builder b{dpi, scene};
    b.fill(b.place(0, 0, clientAreaWidth, clientAreaHeight),
           colours::buttonFace); // the strip below
    b.rectangle(g.Campo);
    for (const Line& l : g.lines)
        b.line(l);
    b.rectangle(g.Racchetta_Blu);
    b.rectangle(g.Racchetta_Rossa);
    for (const Label* l : {&g.lblPuntoBlu, &g.Label1, &g.lblPuntoRosso})
        b.caption(*l, 0);
    for (int i = 0; i < GameCore::setColumns; ++i) {
        if (!g.setColumnShown(i))
            continue;
        b.caption(g.lblSet_Sin[static_cast<std::size_t>(i)], setCaptionRoom);
        b.caption(g.lblSet_Dest[static_cast<std::size_t>(i)], setCaptionRoom);
    }
    b.ball(g.Pallina);
    if (g.paused())
        b.caption(g.lblPausa, 0);
}

} // namespace quindra
