#pragma once
// Plays the game through its rules with random events and checks, after every event, what
// must always hold. The events come from a source of choices: a seeded generator for the
// soak test, the fuzzer's bytes for the fuzz target.
#include "app/GameCore.h"
#include "app/Modulo1.h"
#include "app/Platform.h"
#include "input/Computer.h"

#include <array>
#include <cstdlib>
#include <string>

namespace quindra::soak {

struct Choices {
    virtual ~Choices() = default;
    virtual std::uint32_t below(std::uint32_t bound) = 0; // in [0, bound), bound >= 1
};

class Driver : private Platform {
  public:
    std::uint64_t events = 0, ticks = 0, points = 0, restarts = 0;
    std::array<std::uint64_t, 6> matchesOf{}; // finished, by the sets they were played to
    std::string failure, lastEvent;

    explicit Driver(Choices& choices) : choices_(choices), game_(*this) {
        game_.Form_Load("C:\\Giochi");
        waiting_ = {game_.Pallina.Left, game_.Pallina.Top};
    }
    std::uint64_t matches() const { return matchesOf[1] + matchesOf[3] + matchesOf[5]; }

    // Plays one event and checks the game after it; false once something does not hold.
    bool step() {
        ++events;
        const std::int32_t passoY = game_.PassoY, directionBefore = game_.PassoX;
        const std::uint64_t restartsBefore = restarts;
        served_ = messageShown_ = false;
        bool keyEvent = true;
        const std::uint32_t r = choices_.below(1000);
        if (game_.menu.mnuComputer && r % 4 == 0 && (r < 800 || !clock_)) {
            now_ += 11; // three looks per repeat interval
            keyEvent = false;
            lastEvent = "computer";
            if (const std::int16_t code = computer_.act(now_))
                game_.ControllaTasti(code);
        } else if (clock_ && r < 800) {
            lastEvent = "tick";
            keyEvent = false;
            ++ticks;
            game_.Timer1_Timer();
            sinceTurn_ = served_ || game_.PassoX != directionBefore ? 0 : sinceTurn_ + 1;
            points += served_ ? 1 : 0;
        } else if (!clock_ && r < 400) {
            key(32, false);
        } else if (r < 930) {
            steer();
        } else if (r < 994) {
            key(static_cast<std::int16_t>(choices_.below(65536)), choices_.below(2)); // any code
        } else if (r < 996) {
            keyEvent = false;
            menuCommand();
        } else {
            keyEvent = false;
            const auto percent = static_cast<std::int16_t>(choices_.below(101));
            lastEvent = "angle Ok at " + std::to_string(percent);
            AngoloTiro = PercInAngolo(percent);
        }
        const bool newMatch = messageShown_ || restarts != restartsBefore;
        checkAfterEvent(passoY, keyEvent, newMatch);
        if (newMatch) { // the players choose the length of the match they are about to play
            constexpr void (GameCore::*lengths[])() = {&GameCore::mnuSet_Uno_Click,
                                                       &GameCore::mnuSet_Tre_Click,
                                                       &GameCore::mnuSet_Cinque_Click};
            (game_.*lengths[choices_.below(3)])();
        }
        return failure.empty();
    }

  private:
    // Platform: a clock that is a flag, a typical window, the choices for chance.
    void setClockEnabled(bool enabled) override { clock_ = enabled; }
    bool clockEnabled() const override { return clock_; }
    void setClockInterval(int milliseconds) override { interval_ = milliseconds; }
    int clockInterval() const override { return interval_; }
    float outerWidth() const override { return 7455 + 8 * 15; }
    float outerHeight() const override { return 5070 + 49 * 15; }
    void repaint() override { served_ = true; }
    void reseedRandom() override {}
    float drawRandom() override { return float(choices_.below(1u << 24)) / 16777216.0f; }
    std::optional<Colour> pickColour(Colour) override {
        if (choices_.below(3) == 0)
            return std::nullopt; // cancelled
        return choices_.below(1u << 24);
    }
    void showMessage(const std::string& text) override {
        messageShown_ = true;
        check((game_.lblPuntoBlu.Caption == "2V") != (game_.lblPuntoRosso.Caption == "2V"),
              "exactly one \"2V\" while the match-end message is open");
        check(game_.SetVintiBlu != game_.SetVintiRossa, "a match ends with one player ahead");
        const char* side = game_.SetVintiBlu > game_.SetVintiRossa ? "Sinistra" : "Destra";
        check(text == "Ha vinto il giocatore di " + std::string(side) + ".\r\nFine Partita",
              "the message names the winner: " + text);
        ++matchesOf[std::size_t(game_.NumSet) % 6];
    }

    void key(std::int16_t code, bool asCharacter) {
        lastEvent = (asCharacter ? "character " : "key-down ") + std::to_string(code);
        asCharacter ? game_.Form_KeyPress(code) : game_.Form_KeyDown(code, 0);
    }

    // Each player moves toward the ball as often as the skill drawn at each serve says,
    // anywhere otherwise, and now and then jumps between the columns.
    void steer() {
        const bool left = choices_.below(2) == 0;
        const Shape& racquet = left ? game_.Racchetta_Blu : game_.Racchetta_Rossa;
        const bool up = choices_.below(100) < skill_[left ? 0 : 1]
                            ? game_.Pallina.Top + 66 < racquet.Top + racquet.Height / 2
                            : choices_.below(2) == 0;
        if (choices_.below(8) == 0)
            key(left ? (choices_.below(2) ? 88 : 226) : (choices_.below(2) ? 37 : 39), false);
        else
            key(left ? (up ? 65 : 90) : (up ? 38 : 40), false);
    }

    void menuCommand() {
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
            &GameCore::mnuComputer_Click,     &GameCore::mnuNuovaPartita_Click,
            &GameCore::mnuAllenamento_Click};
        // A new match throws away the one in play: rarer, so most matches are played out.
        std::uint32_t which = choices_.below(std::size(commands) - 2);
        if (choices_.below(200) == 0)
            which = std::size(commands) - 1 - choices_.below(2), ++restarts;
        lastEvent = "menu command " + std::to_string(which);
        (game_.*commands[which])();
    }

    void check(bool holds, const std::string& what) {
        if (!holds && failure.empty())
            failure = what + " (points " + game_.lblPuntoBlu.Caption + "-" +
                      game_.lblPuntoRosso.Caption + ", set " + std::to_string(game_.SetCorrente) +
                      ", step " + std::to_string(game_.PassoX) + "," +
                      std::to_string(game_.PassoY) + ")";
    }

    void checkAfterEvent(std::int32_t passoYBefore, bool keyEvent, bool newMatch) {
        GameCore& g = game_;
        check(std::abs(g.PassoX) == 200, "the horizontal step is 200");
        if (keyEvent && g.PassoY != passoYBefore)
            check(std::abs(g.PassoY) >= 1 && std::abs(g.PassoY) <= 100, "a re-spin of 1 to 100");
        check(sinceTurn_ <= int(outerWidth() / 200) + 3, "a ball that crossed the court scores");
        check(newMatch ? AngoloTiro == 800 : AngoloTiro >= 500 && AngoloTiro <= 1200,
              "the shot angle within 500 to 1200, 800 for a new match");
        for (const std::string* p : {&g.lblPuntoBlu.Caption, &g.lblPuntoRosso.Caption})
            check(*p == "0" || *p == "15" || *p == "30" || *p == "40" || *p == "V",
                  "points: " + *p);
        const int set = g.SetCorrente;
        check(set >= 0 && set < GameCore::setColumns && g.SetVintiBlu + g.SetVintiRossa == set &&
                  std::max(g.SetVintiBlu, g.SetVintiRossa) <= 3,
              "one set in play after each won one, three at most to a player");
        for (int i = 0; i < GameCore::setColumns && failure.empty(); ++i) {
            const std::string& ls = g.lblSet_Sin[std::size_t(i)].Caption;
            const std::string& rs = g.lblSet_Dest[std::size_t(i)].Caption;
            const int l = std::atoi(ls.c_str()), r = std::atoi(rs.c_str());
            const int hi = std::max(l, r), lo = std::min(l, r);
            check(std::to_string(l) == ls && std::to_string(r) == rs, "game counts are numbers");
            if (i < set)
                check((hi == 6 && lo <= 4) || (hi >= 7 && hi - lo == 2), "a set won by the rules");
            else
                check(i == set ? hi < 6 || hi - lo < 2 : hi == 0, "a set in play or to come");
        }
        if (served_) { // a serve waits at the server's racquet, the clock off
            const bool right = g.Battuta != 0;
            const Shape& r = right ? g.Racchetta_Rossa : g.Racchetta_Blu;
            check(!clock_ && g.PassoX == (right ? -200 : 200), "a serve waits toward the receiver");
            check(g.Pallina.Left == (right ? r.Left - g.Pallina.Width : r.Left + r.Width) &&
                      g.Pallina.Top == r.Top + r.Height / 2.0f,
                  "the ball waits at the server's racquet");
            waiting_ = {g.Pallina.Left, g.Pallina.Top};
            skill_ = {choices_.below(101), choices_.below(101)};
        }
        if (!clock_) {
            check(waiting_ == std::array{g.Pallina.Left, g.Pallina.Top}, "a waiting ball stays");
            sinceTurn_ = 0;
        }
    }

    Choices& choices_;
    GameCore game_;
    ComputerPlayer computer_{game_, *this};
    std::int64_t now_ = 0; // milliseconds, for the computer
    bool clock_ = false, served_ = false, messageShown_ = false;
    int interval_ = 100, sinceTurn_ = 0;
    std::array<std::uint32_t, 2> skill_{50, 50}; // how often each player watches the ball, %
    std::array<float, 2> waiting_{};
};

} // namespace quindra::soak
