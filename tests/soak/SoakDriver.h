#pragma once
// Plays the game through its rules with random events and checks, after every event, what
// must always hold. The events come from a source of choices: a seeded generator for the
// soak test, the fuzzer's bytes for the fuzz target.
#include "FakePlatform.h"

#include "app/Modulo1.h"
#include "input/Computer.h"

#include <array>
#include <cstdlib>
#include <string>

namespace quindra::soak {

struct Choices {
    virtual ~Choices() = default;
    virtual std::uint32_t below(std::uint32_t bound) = 0; // in [0, bound), bound >= 1
};

class Driver {
  public:
    std::uint64_t events = 0, ticks = 0, points = 0, restarts = 0;
    std::array<std::uint64_t, 6> matchesOf{}; // finished, by the sets they were played to
    std::string failure, lastEvent;

    explicit Driver(Choices& choices) : choices_(choices) {
        host_.chance = [this] { return testing::fromBits(choices_.below(1u << 24)); };
        host_.whileMessageOpen = [this] { checkMessage(); };
        game_.Form_Load("C:\\Giochi");
        waiting_ = {game_.Pallina.Left, game_.Pallina.Top};
    }
    std::uint64_t matches() const { return matchesOf[1] + matchesOf[3] + matchesOf[5]; }

    // Plays one event and checks the game after it; false once something does not hold.
    bool step() {
        GameCore& g = game_;
        ++events;
        const std::int32_t passoY = g.PassoY, passoX = g.PassoX;
        const std::uint64_t restartsBefore = restarts, matchesBefore = matches();
        const int repaints = host_.repaints;
        const bool clock = host_.clock;
        const std::array<float, 2> tops = {g.Racchetta_Blu.Top, g.Racchetta_Rossa.Top};
        const std::uint32_t r = choices_.below(1000);
        if (g.menu.mnuComputer && r % 4 == 0 && (r < 800 || !clock)) {
            lastEvent = "computer";
            if (const std::int16_t code = computer_.act(now_ += 11)) // three looks an interval
                g.ControllaTasti(code);
        } else if (clock && r < 800) {
            lastEvent = "tick";
            ++ticks;
            g.Timer1_Timer();
            const bool turned = host_.repaints != repaints || g.PassoX != passoX;
            sinceTurn_ = turned ? 0 : sinceTurn_ + 1;
        } else if (r < 930) {
            // Space while a serve waits; else one player moves toward the ball as often as
            // the skill drawn at each serve says, anywhere otherwise, or jumps columns.
            const bool left = choices_.below(2) == 0;
            const Shape& racquet = left ? g.Racchetta_Blu : g.Racchetta_Rossa;
            const bool up = choices_.below(100) < skill_[left ? 0 : 1]
                                ? g.Pallina.Top + 66 < racquet.Top + racquet.Height / 2
                                : choices_.below(2) == 0;
            const bool jump = choices_.below(8) == 0;
            key(!clock && r < 400 ? 32
                : jump            ? (left ? (r % 2 ? 88 : 226) : (r % 2 ? 37 : 39))
                                  : (left ? (up ? 65 : 90) : (up ? 38 : 40)),
                false);
        } else if (r < 994) {
            key(static_cast<std::int16_t>(choices_.below(65536)), choices_.below(2)); // any code
        } else if (r < 996) {
            menuCommand();
        } else {
            const auto percent = static_cast<std::int16_t>(choices_.below(101));
            lastEvent = "angle Ok at " + std::to_string(percent);
            AngoloTiro = PercInAngolo(percent);
        }
        const bool newMatch = matches() != matchesBefore || restarts != restartsBefore;
        check(newMatch ? AngoloTiro == 800 : AngoloTiro >= 500 && AngoloTiro <= 1200,
              "the shot angle within 500 to 1200, 800 for a new match");
        if (lastEvent.find("key") != std::string::npos && g.PassoY != passoY)
            check(std::abs(g.PassoY) >= 1 && std::abs(g.PassoY) <= 100, "a re-spin of 1 to 100");
        for (const Shape* racquet : {&g.Racchetta_Blu, &g.Racchetta_Rossa}) {
            const float top = tops[racquet == &g.Racchetta_Rossa];
            check(racquet->Top <= top || racquet->Top + racquet->Height < testing::fakeOuterHeight,
                  "a racquet moves down only within the keys' limit");
            check(racquet->Top >= top || racquet->Top > -250, "and up only within theirs");
        }
        checkGame(host_.repaints != repaints);
        if (newMatch) { // the players choose the length of the match they are about to play
            constexpr void (GameCore::*lengths[])() = {&GameCore::mnuSet_Uno_Click,
                                                       &GameCore::mnuSet_Tre_Click,
                                                       &GameCore::mnuSet_Cinque_Click};
            (g.*lengths[choices_.below(3)])();
        }
        return failure.empty();
    }

  private:
    void key(std::int16_t code, bool asCharacter) {
        lastEvent = (asCharacter ? "character " : "key-down ") + std::to_string(code);
        asCharacter ? game_.Form_KeyPress(code) : game_.Form_KeyDown(code, 0);
    }

    void menuCommand() {
        using C = GameCore;
        static constexpr void (C::*commands[])() = {
            &C::mnuPri_Click,         &C::mnuInt_Click,          &C::mnuPro_Click,
            &C::mnuSet_Uno_Click,     &C::mnuSet_Tre_Click,      &C::mnuSet_Cinque_Click,
            &C::mnuGrandi_Click,      &C::mnuPiccole_Click,      &C::mnuRief_Click,
            &C::mnuColPallina_Click,  &C::mnuCol_Sinistra_Click, &C::mnuCol_Destra_Click,
            &C::mnuCampoColore_Click, &C::mnuWimb_Click,         &C::mnuRoland_Click,
            &C::mnuOpUsa_Click,       &C::mnuComputer_Click,     &C::mnuNuovaPartita_Click,
            &C::mnuAllenamento_Click};
        host_.colourAnswers = {choices_.below(3) ? std::optional<Colour>(choices_.below(1u << 24))
                                                 : std::nullopt}; // or cancelled
        // A new match throws away the one in play: rarer, so most matches are played out.
        std::uint32_t which = choices_.below(std::size(commands) - 2);
        if (choices_.below(200) == 0)
            which = std::size(commands) - 1 - choices_.below(2), ++restarts;
        lastEvent = "menu command " + std::to_string(which);
        (game_.*commands[which])();
    }

    void check(bool holds, const char* what) {
        if (!holds && failure.empty())
            failure = std::string(what) + " (points " + game_.lblPuntoBlu.Caption + "-" +
                      game_.lblPuntoRosso.Caption + ", set " + std::to_string(game_.SetCorrente) +
                      ", step " + std::to_string(game_.PassoX) + "," +
                      std::to_string(game_.PassoY) + ")";
    }

    void checkMessage() {
        const GameCore& g = game_;
        check((g.lblPuntoBlu.Caption == "2V") != (g.lblPuntoRosso.Caption == "2V"),
              "exactly one \"2V\" while the match-end message is open");
        const char* side = g.SetVintiBlu > g.SetVintiRossa ? "Sinistra." : "Destra.";
        check(g.SetVintiBlu != g.SetVintiRossa &&
                  host_.messages.back() ==
                      "Ha vinto il giocatore di " + std::string(side) + "\r\nFine Partita",
              "the message names the player ahead");
        ++matchesOf[std::size_t(g.NumSet) % 6];
    }

    void checkGame(bool served) {
        const GameCore& g = game_;
        check(std::abs(g.PassoX) == 200, "the horizontal step is 200");
        check(sinceTurn_ <= int(testing::fakeOuterWidth / 200) + 3, "a ball that crossed scores");
        for (const std::string* p : {&g.lblPuntoBlu.Caption, &g.lblPuntoRosso.Caption})
            check(*p == "0" || *p == "15" || *p == "30" || *p == "40" || *p == "V", "points");
        const int set = g.SetCorrente;
        check(set >= 0 && set < GameCore::setColumns && g.SetVintiBlu + g.SetVintiRossa == set &&
                  std::max(g.SetVintiBlu, g.SetVintiRossa) <= 3,
              "one set in play after each won one, three at most to a player");
        for (std::size_t i = 0; i < std::size_t(GameCore::setColumns) && failure.empty(); ++i) {
            const std::string &ls = g.lblSet_Sin[i].Caption, &rs = g.lblSet_Dest[i].Caption;
            const int hi = std::max(std::atoi(ls.c_str()), std::atoi(rs.c_str()));
            const int lo = std::min(std::atoi(ls.c_str()), std::atoi(rs.c_str()));
            check(std::to_string(std::atoi(ls.c_str())) + std::to_string(std::atoi(rs.c_str())) ==
                      ls + rs,
                  "game counts are numbers");
            if (int(i) < set)
                check((hi == 6 && lo <= 4) || (hi >= 7 && hi - lo == 2), "a set won by the rules");
            else
                check(int(i) == set ? hi < 6 || hi - lo < 2 : hi == 0, "a set in play or to come");
        }
        if (served) { // a serve waits at the server's racquet, toward the receiver
            const bool right = g.Battuta != 0;
            const Shape& r = right ? g.Racchetta_Rossa : g.Racchetta_Blu;
            check(!host_.clock && g.PassoX == (right ? -200 : 200) &&
                      g.Pallina.Left == (right ? r.Left - g.Pallina.Width : r.Left + r.Width) &&
                      g.Pallina.Top == r.Top + r.Height / 2.0f,
                  "the ball waits at the server's racquet");
            waiting_ = {g.Pallina.Left, g.Pallina.Top};
            skill_ = {choices_.below(101), choices_.below(101)};
            ++points;
        }
        if (!host_.clock) {
            check(waiting_ == std::array{g.Pallina.Left, g.Pallina.Top}, "a waiting ball stays");
            sinceTurn_ = 0;
        }
    }

    Choices& choices_;
    testing::FakePlatform host_;
    GameCore game_{host_};
    ComputerPlayer computer_{game_, host_};
    std::int64_t now_ = 0; // milliseconds, for the computer
    int sinceTurn_ = 0;
    std::array<std::uint32_t, 2> skill_{50, 50}; // how often each player watches the ball, %
    std::array<float, 2> waiting_{};
};

} // namespace quindra::soak
