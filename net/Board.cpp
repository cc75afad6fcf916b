#include "Board.h"

#include "app/GameCore.h"
#include "app/Modulo1.h"
#include "app/Platform.h"

#include <cmath>

namespace quindra::net {

namespace {

// Far beyond any court or window, yet small enough that no drawing overflows.
constexpr float farthest = 100000.0f;
constexpr float tallest = 20000.0f;
constexpr std::int32_t fastestStep = 20000;
constexpr std::size_t longestCaption = 3;

Place placeOf(const Shape& s) {
    return {s.Left, s.Top, s.Width, s.Height};
}

void put(Shape& s, const Place& p) {
    s.Left = p.left;
    s.Top = p.top;
    s.Width = p.width;
    s.Height = p.height;
}

bool inRange(const Place& p) {
    const auto along = [](float v) { return std::isfinite(v) && std::fabs(v) <= farthest; };
    const auto size = [](float v) { return std::isfinite(v) && v > 0.0f && v <= tallest; };
    return along(p.left) && along(p.top) && size(p.width) && size(p.height);
}

// The board shows digits and the letters of an advantage: "0", "15", "40", "V", "2V".
bool shownCaption(const std::string& caption) {
    if (caption.size() > longestCaption)
        return false;
    for (const char c : caption)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

struct Check {
    bool MenuChecks::*mark;
    Board::Flag flag;
};
constexpr Check checks[] = {
    {&MenuChecks::mnuPri, Board::checkPri},
    {&MenuChecks::mnuInt, Board::checkInt},
    {&MenuChecks::mnuPro, Board::checkPro},
    {&MenuChecks::mnuSet_Uno, Board::checkSetUno},
    {&MenuChecks::mnuSet_Tre, Board::checkSetTre},
    {&MenuChecks::mnuSet_Cinque, Board::checkSetCinque},
    {&MenuChecks::mnuGrandi, Board::checkGrandi},
    {&MenuChecks::mnuPiccole, Board::checkPiccole},
    {&MenuChecks::mnuRief, Board::checkRief},
    {&MenuChecks::mnuComputer, Board::checkComputer},
};

void writePlace(WireWriter& out, const Place& p) {
    out.f32(p.left);
    out.f32(p.top);
    out.f32(p.width);
    out.f32(p.height);
}

Place readPlace(WireReader& in) {
    Place p;
    p.left = in.f32();
    p.top = in.f32();
    p.width = in.f32();
    p.height = in.f32();
    return p;
}

} // namespace

Board Board::of(const GameCore& game, const Platform& platform) {
    Board b;
    b.blue = placeOf(game.Racchetta_Blu);
    b.red = placeOf(game.Racchetta_Rossa);
    b.ball = placeOf(game.Pallina);
    b.stepX = game.PassoX;
    b.stepY = game.PassoY;
    b.server = static_cast<std::uint8_t>(game.Battuta);
    b.sets = static_cast<std::uint8_t>(game.NumSet);
    b.currentSet = static_cast<std::uint8_t>(game.SetCorrente);
    b.setsWonBlue = static_cast<std::uint8_t>(game.SetVintiBlu);
    b.setsWonRed = static_cast<std::uint8_t>(game.SetVintiRossa);
    b.interval = static_cast<std::uint16_t>(platform.clockInterval());
    b.shotAngle = AngoloTiro;
    std::uint16_t flags = 0;
    flags |= game.RiEffetto ? respin : 0;
    flags |= game.Allenamento ? training : 0;
    flags |= game.paused() ? paused : 0;
    flags |= platform.clockEnabled() ? rally : 0;
    for (const Check& c : checks)
        flags |= game.menu.*c.mark ? c.flag : 0;
    b.flags = flags;
    b.captions[0] = game.lblPuntoBlu.Caption;
    b.captions[1] = game.lblPuntoRosso.Caption;
    for (std::size_t i = 0; i < GameCore::setColumns; ++i) {
        b.captions[2 + i] = game.lblSet_Sin[i].Caption;
        b.captions[7 + i] = game.lblSet_Dest[i].Caption;
    }
    return b;
}

void Board::applyTo(GameCore& game, Platform& platform) const {
    put(game.Racchetta_Blu, blue);
    put(game.Racchetta_Rossa, red);
    put(game.Pallina, ball);
    game.PassoX = stepX;
    game.PassoY = stepY;
    game.Battuta = server;
    game.NumSet = sets;
    game.SetCorrente = currentSet;
    game.SetVintiBlu = setsWonBlue;
    game.SetVintiRossa = setsWonRed;
    platform.setClockInterval(interval);
    AngoloTiro = shotAngle;
    game.RiEffetto = (flags & respin) != 0;
    game.Allenamento = (flags & training) != 0;
    game.showPaused((flags & paused) != 0);
    for (const Check& c : checks)
        game.menu.*c.mark = (flags & c.flag) != 0;
    game.lblPuntoBlu.Caption = captions[0];
    game.lblPuntoRosso.Caption = captions[1];
    for (std::size_t i = 0; i < GameCore::setColumns; ++i) {
        game.lblSet_Sin[i].Caption = captions[2 + i];
        game.lblSet_Dest[i].Caption = captions[7 + i];
    }
}

void Board::write(WireWriter& out) const {
    writePlace(out, blue);
    writePlace(out, red);
    writePlace(out, ball);
    out.i32(stepX);
    out.i32(stepY);
    out.u8(server);
    out.u8(sets);
    out.u8(currentSet);
    out.u8(setsWonBlue);
    out.u8(setsWonRed);
    out.u16(interval);
    out.u16(static_cast<std::uint16_t>(shotAngle));
    out.u16(flags);
    for (const std::string& caption : captions)
        out.text8(caption);
}

std::optional<Board> Board::read(WireReader& in) {
    Board b;
    b.blue = readPlace(in);
    b.red = readPlace(in);
    b.ball = readPlace(in);
    b.stepX = in.i32();
    b.stepY = in.i32();
    b.server = in.u8();
    b.sets = in.u8();
    b.currentSet = in.u8();
    b.setsWonBlue = in.u8();
    b.setsWonRed = in.u8();
    b.interval = in.u16();
    b.shotAngle = static_cast<std::int16_t>(in.u16());
    b.flags = in.u16();
    for (std::string& caption : b.captions)
        caption = in.text8(longestCaption);
    if (in.failed())
        return std::nullopt;

    bool ok = inRange(b.blue) && inRange(b.red) && inRange(b.ball);
    ok = ok && std::abs(b.stepX) <= fastestStep && std::abs(b.stepY) <= fastestStep;
    ok = ok && b.server <= 1 && (b.sets == 1 || b.sets == 3 || b.sets == 5);
    ok = ok && b.currentSet <= GameCore::setColumns && b.setsWonBlue <= GameCore::setColumns &&
         b.setsWonRed <= GameCore::setColumns;
    ok = ok && (b.interval == 40 || b.interval == 50 || b.interval == 100);
    ok = ok && b.shotAngle >= PercInAngolo(0) && b.shotAngle <= PercInAngolo(100);
    ok = ok && (b.flags & ~allFlags) == 0;
    for (const std::string& caption : b.captions)
        ok = ok && shownCaption(caption);
    if (!ok)
        return std::nullopt;
    return b;
}

} // namespace quindra::net
