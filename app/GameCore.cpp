#include "GameCore.h"

#include "Modulo1.h"

namespace quindra {

namespace {

Shape rectangle(float left, float top, float width, float height, Colour fill, Colour border,
                int borderWidth) {
    Shape s;
    s.kind = ShapeKind::Rectangle;
    s.Left = left;
    s.Top = top;
    s.Width = width;
    s.Height = height;
    s.BackColor = fill;
    s.BorderColor = border;
    s.BorderWidth = borderWidth;
    return s;
}

Line line(float x1, float y1, float x2, float y2) {
    Line l;
    l.X1 = x1;
    l.Y1 = y1;
    l.X2 = x2;
    l.Y2 = y2;
    return l;
}

Label label(float left, float top, float width, float height, Colour fore, double size) {
    Label l;
    l.Left = left;
    l.Top = top;
    l.Width = width;
    l.Height = height;
    l.ForeColor = fore;
    l.FontSize = size;
    return l;
}

Label pointLabel(float left, Colour fore) {
    Label l = label(left, 120, 252, 252, fore, 8.25);
    l.transparent = false;
    l.BackColor = colours::captionText;
    return l;
}

// Sets one to three stand in a row; four and five in a second row below sets one and two.
Label setLabel(float firstLeft, int index) {
    const int column = index < GameCore::boardColumns ? index : index - GameCore::boardColumns;
    const float top = index < GameCore::boardColumns ? 480.0f : 750.0f;
    return label(firstLeft + 240.0f * static_cast<float>(column), top, 132, 252,
                 colours::lightGreen, 8.25);
}

} // namespace

GameCore::GameCore(Platform& platform) : platform_(platform) {
    Campo = rectangle(0, 0, 7452, 5052, colours::green, colours::white, 4);
    lines = {line(3840, 0, 3840, 5040), line(2280, 2280, 5280, 2280), line(2280, 0, 2280, 5040),
             line(5280, 0, 5280, 5040), line(0, 2280, 240, 2280),     line(7200, 2280, 7440, 2280)};
    Racchetta_Blu =
        rectangle(blueBaseColumn, 1920, 132, bigRacquet, colours::blue, colours::yellow, 1);
    Racchetta_Rossa =
        rectangle(redBaseColumn, 2160, 132, bigRacquet, colours::darkRed, colours::yellow, 1);
    Pallina = rectangle(4080, 2160, 132, 132, colours::yellow, colours::windowText, 1);
    Pallina.kind = ShapeKind::Oval;

    lblPuntoBlu = pointLabel(3000, colours::darkBlue);
    Label1 = label(3360, 120, 852, 372, colours::red, 13.5);
    Label1.Caption = "Score";
    lblPuntoRosso = pointLabel(4320, colours::darkRed);
    for (int i = 0; i < setColumns; ++i) {
        lblSet_Sin[static_cast<std::size_t>(i)] = setLabel(2880, i);
        lblSet_Dest[static_cast<std::size_t>(i)] = setLabel(4200, i);
    }
    // A dark sign in the middle of the court, its word centred.
    lblPausa = label(2526, 2166, 2400, 720, colours::white, 18);
    lblPausa.Caption = "Pausa";
    lblPausa.transparent = false;
    lblPausa.BackColor = colours::black;
    lblPausa.centred = true;
}

void GameCore::Form_Load(const std::string& programFolder) {
    HelpFile = programFolder + "\\quindra.hlp";
    NumSet = 1;
    Nuova_partita();
}

bool GameCore::setColumnShown(int index) const {
    if (index < boardColumns || NumSet == 5)
        return true;
    // A fourth or fifth set reached after the set count was lowered: its column shows
    // while it is played, but the set count moved past the board by a last won set does not.
    std::string winner;
    return SetCorrente > index || (SetCorrente == index && !ControllaMatch(winner));
}

} // namespace quindra
