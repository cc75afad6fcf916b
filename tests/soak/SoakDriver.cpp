#include "SoakDriver.h"

#include "app/Modulo1.h"

#include <cstdlib>

namespace quindra::soak {

namespace {

// The outer size of a typical window: client 7455 x 5070, 4-pixel borders, 26-pixel
// title bar, 19-pixel menu bar.
constexpr float typicalWidth = 7455 + 8 * 15;
constexpr float typicalHeight = 5070 + (26 + 19 + 4) * 15;
// The ticks a ball needs, at most, to cross the court and leave it past an end.
constexpr int crossingTicks = static_cast<int>(typicalWidth / 200) + 3;

bool isWholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0'))
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isPointCaption(const std::string& text) {
    return text == "0" || text == "15" || text == "30" || text == "40" || text == "V" ||
           text == "2V";
}

// A set closes at six games with a lead of two, or later at a lead of exactly two.
bool closedAsTheRulesAllow(int winner, int loser) {
    return (winner == 6 && loser <= 4) || (winner >= 7 && winner - loser == 2);
}

std::string describe(const GameCore& g) {
    std::string board;
    for (std::size_t i = 0; i < g.lblSet_Sin.size(); ++i)
        board += g.lblSet_Sin[i].Caption + "-" + g.lblSet_Dest[i].Caption + " ";
    return "points " + g.lblPuntoBlu.Caption + "-" + g.lblPuntoRosso.Caption + ", games " + board +
           "set " + std::to_string(g.SetCorrente) + ", sets " + std::to_string(g.SetVintiBlu) +
           "-" + std::to_string(g.SetVintiRossa) + ", ball " + std::to_string(g.Pallina.Left) +
           "," + std::to_string(g.Pallina.Top) + " step " + std::to_string(g.PassoX) + "," +
           std::to_string(g.PassoY);
}

} // namespace

std::uint32_t ByteChoices::below(std::uint32_t bound) {
    std::uint32_t value = 0;
    for (std::uint32_t span = 1; span < bound && span != 0; span <<= 8) {
        const std::uint8_t byte = position_ < size_ ? data_[position_] : 0;
        ++position_;
        value = (value << 8) | byte;
    }
    return value % bound;
}

Driver::Driver(Choices& choices) : choices_(choices), game_(*this) {
    game_.Form_Load("C:\\Giochi");
    served_ = false;
    waitingLeft_ = game_.Pallina.Left;
    waitingTop_ = game_.Pallina.Top;
    skill_ = {50, 50};
}

float Driver::outerWidth() const {
    return typicalWidth;
}

float Driver::outerHeight() const {
    return typicalHeight;
}

float Driver::drawRandom() {
    return static_cast<float>(choices_.below(1u << 24)) / 16777216.0f;
}

std::optional<Colour> Driver::pickColour(Colour /*initial*/) {
    if (choices_.below(3) == 0)
        return std::nullopt; // cancelled
    return choices_.below(1u << 24);
}

void Driver::showMessage(const std::string& text) {
    // The match-end message: the scorer shows "2V", and the text names the player with
    // more sets (after a lowered set count the leader wins at the next counted game).
    messageShown_ = true;
    const bool left = game_.lblPuntoBlu.Caption == "2V";
    const bool right = game_.lblPuntoRosso.Caption == "2V";
    check(left != right, "exactly one \"2V\" while the match-end message is open");
    check(game_.SetVintiBlu != game_.SetVintiRossa, "a match ends with one player ahead");
    const std::string side = game_.SetVintiBlu > game_.SetVintiRossa ? "Sinistra" : "Destra";
    check(text == "Ha vinto il giocatore di " + side + ".\r\nFine Partita",
          "the message names the winner: " + text);
    check(game_.SetCorrente <= GameCore::setColumns, "the set in play within the board");
    ++counts_.matches;
    if (game_.NumSet >= 1 && game_.NumSet <= 5)
        ++counts_.matchesOf[static_cast<std::size_t>(game_.NumSet)];
}

void Driver::check(bool holds, const std::string& what) {
    if (!holds && failure_.empty())
        failure_ = what + " (" + describe(game_) + ")";
}

bool Driver::step() {
    if (!failure_.empty())
        return false;
    ++counts_.events;
    const std::int32_t passoYBefore = game_.PassoY;
    const std::uint64_t restartsBefore = counts_.restarts;
    served_ = false;
    messageShown_ = false;
    bool keyEvent = false;

    const std::uint32_t r = choices_.below(1000);
    if (game_.menu.mnuComputer && r % 4 == 0 && (r < 800 || !clock_)) {
        computerActs(); // the computer at the right racquet, between ticks
    } else if (clock_ && r < 800) {
        tick();
    } else if (!clock_ && r < 400) {
        lastEvent_ = "Space";
        key(32, false);
        keyEvent = true;
    } else if (r < 930) {
        steer();
        keyEvent = true;
    } else if (r < 994) {
        // Any 16-bit code, as a key-down code or as a character.
        const auto code = static_cast<std::int16_t>(choices_.below(65536));
        const bool asCharacter = choices_.below(2) == 1;
        lastEvent_ = (asCharacter ? "character " : "key-down ") + std::to_string(code);
        key(code, asCharacter);
        keyEvent = true;
    } else if (r < 996) {
        menuCommand();
    } else {
        angleOk();
    }
    const bool newMatch = messageShown_ || counts_.restarts != restartsBefore;
    checkAfterEvent(passoYBefore, keyEvent, newMatch);
    if (newMatch) {
        // The players choose the length of the match they are about to play.
        using Handler = void (GameCore::*)();
        constexpr Handler lengths[] = {&GameCore::mnuSet_Uno_Click, &GameCore::mnuSet_Tre_Click,
                                       &GameCore::mnuSet_Cinque_Click};
        (game_.*lengths[choices_.below(3)])();
    }
    return failure_.empty();
}

void Driver::tick() {
    lastEvent_ = "tick";
    ++counts_.ticks;
    const std::int32_t directionBefore = game_.PassoX;
    const std::int32_t setBefore = game_.SetCorrente;
    game_.Timer1_Timer();
    if (served_) {
        ++counts_.points;
        if (game_.SetCorrente != setBefore || messageShown_)
            ++counts_.sets;
        ticksSinceTurn_ = 0;
    } else if (game_.PassoX != directionBefore) {
        ticksSinceTurn_ = 0; // met a racquet
    } else {
        ++ticksSinceTurn_;
    }
}

void Driver::computerActs() {
    now_ += 11; // three looks per repeat interval
    const std::int16_t code = computer_.act(now_);
    lastEvent_ = "computer " + std::to_string(code);
    if (code != 0)
        game_.ControllaTasti(code);
}

void Driver::steer() {
    // Each player either moves toward the ball, as a player who watches it does, or
    // anywhere; how often depends on the player's skill, drawn anew at every serve.
    const bool left = choices_.below(2) == 0;
    const Shape& racquet = left ? game_.Racchetta_Blu : game_.Racchetta_Rossa;
    const bool watch = choices_.below(100) < static_cast<std::uint32_t>(skill_[left ? 0 : 1]);
    const float middle = racquet.Top + racquet.Height / 2;
    const float ball = game_.Pallina.Top + game_.Pallina.Height / 2;
    const bool up = watch ? ball < middle : choices_.below(2) == 0;
    std::int16_t code = 0;
    switch (choices_.below(8)) {
    case 0: // a jump between the columns
        code = left ? (choices_.below(2) ? 88 : 226) : (choices_.below(2) ? 37 : 39);
        break;
    default:
        code = left ? (up ? 65 : 90) : (up ? 38 : 40);
        break;
    }
    lastEvent_ = "steer " + std::to_string(code);
    key(code, false);
}

void Driver::key(std::int16_t code, bool asCharacter) {
    if (asCharacter)
        game_.Form_KeyPress(code);
    else
        game_.Form_KeyDown(code, 0);
}

void Driver::menuCommand() {
    using Handler = void (GameCore::*)();
    static constexpr Handler commands[] = {
        &GameCore::mnuPri_Click,          &GameCore::mnuInt_Click,
        &GameCore::mnuPro_Click,          &GameCore::mnuSet_Uno_Click,
        &GameCore::mnuSet_Tre_Click,      &GameCore::mnuSet_Cinque_Click,
        &GameCore::mnuGrandi_Click,       &GameCore::mnuPiccole_Click,
        &GameCore::mnuRief_Click,         &GameCore::mnuColPallina_Click,
        &GameCore::mnuCol_Sinistra_Click, &GameCore::mnuCol_Destra_Click,
        &GameCore::mnuCampoColore_Click,  &GameCore::mnuWimb_Click,
        &GameCore::mnuRoland_Click,       &GameCore::mnuOpUsa_Click,
        &GameCore::mnuComputer_Click,
    };
    // A new match throws away the one in play: rarer, so most matches are played out.
    if (choices_.below(200) == 0) {
        const bool training = choices_.below(2) == 1;
        lastEvent_ = training ? "Allenamento" : "Nuova Partita";
        ++counts_.restarts;
        if (training)
            game_.mnuAllenamento_Click();
        else
            game_.mnuNuovaPartita_Click();
        return;
    }
    const std::uint32_t which = choices_.below(std::size(commands));
    lastEvent_ = "menu command " + std::to_string(which);
    (game_.*commands[which])();
}

void Driver::angleOk() {
    // The shot-angle dialog's Ok, with its bar anywhere from 0 to 100.
    const auto percent = static_cast<std::int16_t>(choices_.below(101));
    lastEvent_ = "angle Ok at " + std::to_string(percent);
    AngoloTiro = PercInAngolo(percent);
}

void Driver::checkAfterEvent(std::int32_t passoYBefore, bool keyEvent, bool restarted) {
    check(game_.PassoX == 200 || game_.PassoX == -200, "the horizontal step is 200");
    checkBoard();
    if (served_)
        checkServe();
    if (!clock_) {
        check(game_.Pallina.Left == waitingLeft_ && game_.Pallina.Top == waitingTop_,
              "a waiting ball stays where the serve put it");
        ticksSinceTurn_ = 0;
    }
    if (keyEvent && game_.PassoY != passoYBefore) {
        const std::int32_t size = std::abs(game_.PassoY);
        check(size >= 1 && size <= 100, "a re-spin gives a step of 1 to 100");
    }
    check(ticksSinceTurn_ <= crossingTicks, "the ball is scored once it has crossed the court");
    if (restarted || messageShown_)
        check(AngoloTiro == 800, "a new match puts the shot angle back to 800");
    else
        check(AngoloTiro >= 500 && AngoloTiro <= 1200, "the shot angle within 500 to 1200");
}

void Driver::checkBoard() {
    for (const Label* label : {&game_.lblPuntoBlu, &game_.lblPuntoRosso}) {
        check(isPointCaption(label->Caption), "a point caption: " + label->Caption);
        check(label->Caption != "2V", "\"2V\" only while the match-end message is open");
    }
    const std::int32_t set = game_.SetCorrente;
    check(set >= 0 && set < GameCore::setColumns, "the set in play within the board");
    check(game_.SetVintiBlu >= 0 && game_.SetVintiBlu <= 3 && game_.SetVintiRossa >= 0 &&
              game_.SetVintiRossa <= 3,
          "no player holds more sets than a match can give");
    check(game_.SetVintiBlu + game_.SetVintiRossa == set, "one set in play after each won one");
    for (int i = 0; i < GameCore::setColumns; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::string& left = game_.lblSet_Sin[index].Caption;
        const std::string& right = game_.lblSet_Dest[index].Caption;
        check(isWholeNumber(left) && isWholeNumber(right), "game counts are whole numbers");
        if (!failure_.empty())
            return;
        const int l = std::atoi(left.c_str());
        const int r = std::atoi(right.c_str());
        if (i < set)
            check(closedAsTheRulesAllow(std::max(l, r), std::min(l, r)),
                  "a finished set ended as the rules allow");
        else if (i == set)
            check(!((l >= 6 && l - r >= 2) || (r >= 6 && r - l >= 2)),
                  "the set in play is not already won");
        else
            check(l == 0 && r == 0, "sets not yet played show no games");
    }
}

void Driver::checkServe() {
    // A serve waits at the server's racquet with the clock off.
    check(!clock_, "the clock is off while a serve waits");
    const bool right = game_.Battuta != 0;
    const Shape& r = right ? game_.Racchetta_Rossa : game_.Racchetta_Blu;
    const Shape& b = game_.Pallina;
    const float left = right ? r.Left - b.Width : r.Left + r.Width;
    check(b.Left == left && b.Top == r.Top + r.Height / 2.0f, "the ball waits at the racquet");
    check(game_.PassoX == (right ? -200 : 200), "the serve goes toward the receiver");
    const std::int32_t size = std::abs(game_.PassoY);
    check(size >= 1 && size <= 100, "a serve's step is 1 to 100");
    waitingLeft_ = b.Left;
    waitingTop_ = b.Top;
    skill_ = {static_cast<int>(choices_.below(101)), static_cast<int>(choices_.below(101))};
}

} // namespace quindra::soak
