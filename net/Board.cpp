#include "Board.h"

#include "app/GameCore.h"
#include "app/Layout.h"
#include "app/Modulo1.h"
#include "app/Platform.h"

#include <cmath>

namespace quindra::net {

namespace {

// The main window's frame, title bar and menu bar add at most this much to the client
// area, on any desktop and at any scale: the racquets' and the ball's lower limits.
constexpr float frameAllowance = 3000.0f;
constexpr float lowest = static_cast<float>(clientAreaHeight) + frameAllowance;
constexpr float rightmost = static_cast<float>(clientAreaWidth) + frameAllowance;
constexpr std::size_t longestCaption = 3;
// A racquet's width and the ball's size never change.
constexpr float racquetWidth = 132.0f;
constexpr float ballSize = 132.0f;
// A contact sends the ball at most a quarter of the steepest shot angle up or down.
constexpr std::int32_t steepestStep = 1200 / 4;

Place placeOf(const Shape& s) {
    return {s.Left, s.Top, s.Width, s.Height};
}

void put(Shape& s, const Place& p) {
    s.Left = p.left;
    s.Top = p.top;
    s.Width = p.width;
    s.Height = p.height;
}

bool within(float v, float low, float high) {
    return std::isfinite(v) && v >= low && v <= high;
}

// A racquet in one of its two columns, moved by whole steps: never above its highest
// step, never wholly below the window.
bool racquetReachable(const Place& p, float column1, float column2) {
    return (p.left == column1 || p.left == column2) && p.width == racquetWidth &&
           (p.height == GameCore::bigRacquet || p.height == GameCore::smallRacquet) &&
           within(p.top, -199.0f, lowest) && p.top == std::floor(p.top) &&
           p.top + p.height <= lowest;
}

bool ballReachable(const Place& p) {
    return p.width == ballSize && p.height == ballSize && within(p.left, -200.0f, rightmost) &&
           within(p.top, -200.0f, lowest);
}

// The points of a game: "0" to "40", an advantage against 40, or "2V" for the point
// that won the match, shown as its box opens.
bool pointsReachable(const std::string& left, const std::string& right) {
    const auto plain = [](const std::string& c) {
        return c == "0" || c == "15" || c == "30" || c == "40";
    };
    if (plain(left) && plain(right))
        return true;
    if ((left == "V" && right == "40") || (left == "40" && right == "V"))
        return true;
    return (left == "2V" && plain(right)) || (plain(left) && right == "2V");
}

// A count of games: "0", or a whole number with no leading zero.
std::optional<int> games(const std::string& caption) {
    if (caption.empty() || caption.size() > longestCaption ||
        (caption[0] == '0' && caption.size() > 1))
        return std::nullopt;
    int n = 0;
    for (const char c : caption) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Who won a set that ended at `a` to `b`: six games with two clear, and it ends there.
std::optional<int> setWinner(int a, int b) {
    const auto won = [](int x, int y) { return x >= 6 && x - y >= 2 && (x == 6 || x - y == 2); };
    if (won(a, b))
        return 0;
    if (won(b, a))
        return 1;
    return std::nullopt;
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
    if (in.failed() || !b.reachable())
        return std::nullopt;
    return b;
}

bool Board::reachable() const {
    const auto has = [this](Flag f) { return (flags & f) != 0; };
    // The check marks agree with what they mark; training and the computer are never on.
    bool ok = (flags & ~allFlags) == 0 && !has(training) && !has(checkComputer);
    ok = ok && has(checkPri) == (interval == 100) && has(checkInt) == (interval == 50) &&
         has(checkPro) == (interval == 40);
    ok = ok && has(checkSetUno) == (sets == 1) && has(checkSetTre) == (sets == 3) &&
         has(checkSetCinque) == (sets == 5);
    ok = ok && has(checkRief) == has(respin) && !(has(paused) && has(rally));
    ok = ok && has(checkGrandi) == (red.height == GameCore::bigRacquet) &&
         has(checkPiccole) == (red.height == GameCore::smallRacquet) && blue.height == red.height;

    ok = ok && racquetReachable(blue, GameCore::blueBaseColumn, GameCore::blueNetColumn) &&
         racquetReachable(red, GameCore::redNetColumn, GameCore::redBaseColumn);
    ok = ok && ballReachable(ball) && (stepX == 200 || stepX == -200) &&
         std::abs(stepY) <= steepestStep;
    ok = ok && server <= 1 && shotAngle >= PercInAngolo(0) && shotAngle <= PercInAngolo(100);
    ok = ok && pointsReachable(captions[0], captions[1]);
    if (!ok)
        return false;

    // Sets before the current one were won, the current one is under way, the rest unplayed;
    // the sets won agree, and no one holds more than a five-set match can give.
    const int setsPlayed = currentSet;
    if (setsPlayed > GameCore::setColumns || setsWonBlue > 3 || setsWonRed > 3 ||
        setsWonBlue + setsWonRed != setsPlayed)
        return false;
    int blueSets = 0;
    for (int i = 0; i < GameCore::setColumns; ++i) {
        const std::optional<int> a = games(captions[2 + static_cast<std::size_t>(i)]);
        const std::optional<int> b = games(captions[7 + static_cast<std::size_t>(i)]);
        if (!a || !b)
            return false;
        const std::optional<int> winner = setWinner(*a, *b);
        if (i < setsPlayed && !winner)
            return false;
        if (i == setsPlayed && winner)
            return false;
        if (i > setsPlayed && (*a != 0 || *b != 0))
            return false;
        blueSets += i < setsPlayed && winner == 0 ? 1 : 0;
    }
    return blueSets == setsWonBlue;
}

} // namespace quindra::net
