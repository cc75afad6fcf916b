// Points, games, sets and matches, the serve, the toss and the new match.
#include "FakePlatform.h"

#include "app/ClockRandom.h"
#include "app/Modulo1.h"
#include "input/Computer.h"
#include "input/HeldKeys.h"

#include <QtTest>

#include <cctype>
#include <map>
#include <random>

using namespace quindra;
using namespace std::string_literals;
using namespace quindra::testing;

namespace {

// One rally played to its end through the clock: the ball leaves past the loser's end.
void playPoint(StartedGame& s, bool left) {
    s.game.Pallina.Move(left ? fakeOuterWidth - 100 : 100, 2000);
    s.game.PassoX = left ? 200 : -200;
    s.game.PassoY = 0;
    s.host.clock = true;
    s.game.Timer1_Timer();
}

// The board as the players read it: points, the games of each set shown, sets won and who
// serves, e.g. "15-40 6-4 2-1 0-0 1-0 R".
std::string board(const GameCore& g) {
    std::string text = g.lblPuntoBlu.Caption + "-" + g.lblPuntoRosso.Caption;
    for (std::size_t i = 0; i < GameCore::setColumns; ++i)
        if (g.setColumnShown(int(i)))
            text += " " + g.lblSet_Sin[i].Caption + "-" + g.lblSet_Dest[i].Caption;
    return text + " " + std::to_string(g.SetVintiBlu) + "-" + std::to_string(g.SetVintiRossa) +
           (g.Battuta ? " R" : " B");
}

// Plays a script: B or R a point to the left or right player, b or r a whole game, 1, 3 or
// 5 the number of sets chosen from the menu. Each match-end message is noted as [L or [R
// and the board behind it; the text must name the player with more sets.
std::string play(StartedGame& s, const QString& script) {
    GameCore& g = s.game;
    std::string said;
    s.host.whileMessageOpen = [&] {
        const bool left = g.SetVintiBlu > g.SetVintiRossa;
        QCOMPARE(s.host.messages.back(), "Ha vinto il giocatore di "s +
                                             (left ? "Sinistra" : "Destra") + ".\r\nFine Partita");
        g.Timer1_Timer(); // a tick falling due while the message is open changes nothing
        said += (left ? "[L " : "[R ") + board(g) + "] ";
    };
    const std::map<char, void (GameCore::*)()> menu = {{'1', &GameCore::mnuSet_Uno_Click},
                                                       {'3', &GameCore::mnuSet_Tre_Click},
                                                       {'5', &GameCore::mnuSet_Cinque_Click}};
    for (const char k : script.toStdString()) {
        if (menu.count(k))
            (g.*menu.at(k))();
        for (int i = 0; i < (std::islower(k) ? 4 : std::isupper(k) ? 1 : 0); ++i)
            playPoint(s, k == 'B' || k == 'b');
    }
    return said + board(g);
}

void row(const char* script, const char* board) {
    QTest::newRow(script) << QString::fromLatin1(script) << QString::fromLatin1(board);
}

// Seeded players play a million and more random events (ticks, steering toward the ball
// as often as a skill drawn at each serve says, every key code as a key and as a
// character, every menu command, colour answers, the angle dialog's Ok, the computer)
// until a thousand matches are over, checking after each event what must always hold.
// Another seed: QUINDRA_SOAK_SEED.
// Games won in all sets, both players.
int games(const GameCore& g) {
    int sum = 0;
    for (std::size_t i = 0; i < std::size_t(GameCore::setColumns); ++i)
        sum += std::stoi(g.lblSet_Sin[i].Caption) + std::stoi(g.lblSet_Dest[i].Caption);
    return sum;
}

void playSoak() {
    std::mt19937_64 random(qEnvironmentVariableIntValue("QUINDRA_SOAK_SEED") + 20261207ull);
    const auto below = [&random](std::uint32_t n) { return std::uint32_t(random() % n); };
    StartedGame s;
    GameCore& g = s.game;
    s.host.chance = [&] { return float(below(1u << 24)) / 16777216.0f; };
    std::array<std::uint64_t, 6> matches{};
    s.host.whileMessageOpen = [&] {
        const bool left = g.SetVintiBlu > g.SetVintiRossa, twoV = g.lblPuntoBlu.Caption == "2V";
        const std::string text = "Ha vinto il giocatore di "s + (left ? "Sinistra" : "Destra");
        if (g.SetVintiBlu == g.SetVintiRossa || twoV == (g.lblPuntoRosso.Caption == "2V") ||
            s.host.messages.back() != text + ".\r\nFine Partita")
            matches[0] = 1; // the message names the player ahead, the scorer shows "2V"
        ++matches[std::size_t(g.NumSet) % 6];
    };
    using C = GameCore;
    constexpr void (C::*commands[])() = {
        &C::mnuPri_Click,         &C::mnuInt_Click,          &C::mnuPro_Click,
        &C::mnuSet_Uno_Click,     &C::mnuSet_Tre_Click,      &C::mnuSet_Cinque_Click,
        &C::mnuGrandi_Click,      &C::mnuPiccole_Click,      &C::mnuRief_Click,
        &C::mnuColPallina_Click,  &C::mnuCol_Sinistra_Click, &C::mnuCol_Destra_Click,
        &C::mnuCampoColore_Click, &C::mnuWimb_Click,         &C::mnuRoland_Click,
        &C::mnuOpUsa_Click,       &C::mnuComputer_Click,     &C::mnuNuovaPartita_Click,
        &C::mnuAllenamento_Click};
    ComputerPlayer computer(g, s.host);
    std::int64_t now = 0;
    int sinceTurn = 0;
    std::uint32_t skill[2] = {50, 50};
    std::array<float, 2> waiting = {g.Pallina.Left, g.Pallina.Top};
    std::uint64_t event = 0;
    while ((++event < 1500000 || matches[1] + matches[3] + matches[5] < 1000) && !matches[0]) {
        const std::uint64_t finished = matches[1] + matches[3] + matches[5];
        const int repaints = s.host.repaints, passoX = g.PassoX, passoY = g.PassoY;
        const int setPlayed = g.SetCorrente, gamesWon = games(g);
        const float top = g.Pallina.Top;
        const bool clock = s.host.clock, restart = below(100000) == 0, paused = g.paused();
        bool ticked = false;
        s.host.sounds.clear();
        const std::uint32_t roll = below(1000);
        if (restart || (roll >= 994 && roll < 996)) { // a new match is the rarest command
            s.host.colourAnswers = {below(3) ? std::optional<Colour>(below(1u << 24))
                                             : std::nullopt};
            (g.*commands[restart ? 17 + below(2) : below(17)])();
        } else if (g.menu.mnuComputer && roll % 4 == 0 && (roll < 800 || !clock)) {
            if (const std::int16_t code = computer.act(now += 11)) // three looks an interval
                g.ControllaTasti(code);
        } else if (clock && roll < 800) {
            g.Timer1_Timer();
            ticked = true;
            sinceTurn = s.host.repaints != repaints || g.PassoX != passoX ? 0 : sinceTurn + 1;
        } else if (roll < 930) { // Space for a waiting serve, a step, or a jump of columns
            const bool left = below(2) == 0;
            const Shape& racquet = left ? g.Racchetta_Blu : g.Racchetta_Rossa;
            const bool up = below(100) < skill[!left]
                                ? g.Pallina.Top + 66 < racquet.Top + racquet.Height / 2
                                : below(2);
            const std::int16_t jump = left ? (roll % 2 ? 88 : 226) : (roll % 2 ? 37 : 39);
            g.Form_KeyDown(!clock && roll < 400 ? 32
                           : below(8) == 0      ? jump
                           : left               ? (up ? 65 : 90)
                                                : (up ? 38 : 40),
                           0);
        } else if (roll < 934) { // P, Pause or Space as the window gives them, or their repeats
            const std::uint16_t keys[] = {keyP, keyPause, 32};
            const std::uint16_t key = keys[below(3)];
            deliverKey(g, {key, key, {std::uint8_t(key == keyP ? 'p' : key)}}, g.menu.mnuComputer,
                       below(4) == 0);
        } else if (roll < 994) {
            const auto code = std::int16_t(below(65536));
            below(2) ? g.Form_KeyPress(code) : g.Form_KeyDown(code, 0);
        } else if (roll >= 996) {
            AngoloTiro = PercInAngolo(std::int16_t(below(101)));
        }
        const bool newMatch = restart || finished != matches[1] + matches[3] + matches[5];
        const QByteArray where = "event " + QByteArray::number(qulonglong(event));
        QVERIFY2(std::abs(g.PassoX) == 200 && sinceTurn <= 40, where); // a crossed ball scores
        QVERIFY2(newMatch ? AngoloTiro == 800 : AngoloTiro >= 500 && AngoloTiro <= 1200, where);
        for (const std::string* p : {&g.lblPuntoBlu.Caption, &g.lblPuntoRosso.Caption})
            QVERIFY2(*p == "0" || *p == "15" || *p == "30" || *p == "40" || *p == "V", where);
        const int set = g.SetCorrente;
        QVERIFY2(set >= 0 && set < GameCore::setColumns && g.SetVintiBlu + g.SetVintiRossa == set,
                 where);
        for (std::size_t i = 0; i < std::size_t(GameCore::setColumns); ++i) { // sets by the rules
            const int l = std::stoi(g.lblSet_Sin[i].Caption),
                      r = std::stoi(g.lblSet_Dest[i].Caption);
            const int hi = std::max(l, r), lo = std::min(l, r);
            QVERIFY2(int(i) < set    ? (hi == 6 && lo <= 4) || (hi >= 7 && hi - lo == 2)
                     : int(i) == set ? hi < 6 || hi - lo < 2
                                     : hi == 0,
                     where);
        }
        QVERIFY2(!(g.paused() && s.host.clock), where); // a paused rally has no clock
        // Each contact, edge, serve and end of a point is heard once, as what it is.
        std::vector<Sound> heard;
        if (ticked && !s.host.clock)
            heard = {newMatch                     ? Sound::Match
                     : g.SetCorrente != setPlayed ? Sound::Set
                     : games(g) != gamesWon       ? Sound::Game
                                                  : Sound::Point};
        else if (ticked && g.PassoX != passoX)
            heard = {g.Pallina.Left > fakeOuterWidth / 2 ? Sound::RedHit : Sound::BlueHit};
        else if (ticked &&
                 (passoY != 0 ? g.PassoY == -passoY
                              : g.Pallina.Top != top && (g.Pallina.Top == 101 ||
                                                         g.Pallina.Top == fakeOuterHeight - 749)))
            heard = {Sound::Edge};
        else if (!clock && s.host.clock && !paused)
            heard = {Sound::Serve};
        QVERIFY2(s.host.sounds == heard, where);
        if (g.paused() != paused) // paused: the ball waits where it is
            waiting = {g.Pallina.Left, g.Pallina.Top};
        if (s.host.repaints != repaints) { // a serve: new skills, and the ball waits there
            waiting = {g.Pallina.Left, g.Pallina.Top};
            skill[0] = below(101), skill[1] = below(101);
        }
        if (!s.host.clock) { // a waiting ball stays
            QVERIFY2((waiting == std::array{g.Pallina.Left, g.Pallina.Top}), where);
            sinceTurn = 0;
        }
        if (newMatch)
            (g.*commands[3 + below(3)])(); // the players choose the length of the next match
    }
    QVERIFY(!matches[0]);
    qInfo("%llu events; matches of one, three and five sets %llu, %llu, %llu", qulonglong(event),
          qulonglong(matches[1]), qulonglong(matches[3]), qulonglong(matches[5]));
    QVERIFY(matches[1] && matches[3] && matches[5]);
}

} // namespace

class ScoringTest : public QObject {
    Q_OBJECT

  private slots:
    void scripts_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("board");
        row("", "0-0 0-0 0-0 0-0 0-0 B");
        row("RRR", "0-40 0-0 0-0 0-0 0-0 B");
        row("BBBRRR", "40-40 0-0 0-0 0-0 0-0 B");
        row("BBBRRRB", "V-40 0-0 0-0 0-0 0-0 B");
        row("BBBRRRBB", "0-0 1-0 0-0 0-0 0-0 R");
        row("BBBRRRBRRR", "0-0 0-1 0-0 0-0 0-0 R");
        row("3bbbbrrrrbb", "0-0 6-4 0-0 0-0 1-0 B");
        row("3bbbbbrrrrrbrb", "0-0 7-6 0-0 0-0 0-0 R");
        row("3bbbbbrrrrrbrbb", "0-0 8-6 0-0 0-0 1-0 B");
        row("3brbrbrbrbrbrbrbrbb", "0-0 10-8 0-0 0-0 1-0 B");
        row("bbbbbbR", "[L 2V-0 6-0 0-0 0-0 1-0 R] 0-15 0-0 0-0 0-0 0-0 B");
        row("3bbbbbbrrrrrrbbbbbb", "[L 2V-0 6-0 0-6 6-0 2-1 R] 0-0 0-0 0-0 0-0 0-0 B");
        row("3rrrrrrrrrrrr", "[R 0-2V 0-6 0-6 0-0 0-2 R] 0-0 0-0 0-0 0-0 0-0 B");
        row("5bbbbbbrrrrrrbbbbbbrrrrrrbb", "0-0 6-0 0-6 6-0 0-6 2-0 2-2 B");
        row("5rrrrrrrrrrrrbbbbbbbbbbbbbbbbbb",
            "[L 2V-0 0-6 0-6 6-0 6-0 6-0 3-2 R] 0-0 0-0 0-0 0-0 0-0 0-0 0-0 B");
        row("5bbbbbbrrrrrrbbbbbbrrrrrr3",
            "0-0 6-0 0-6 6-0 0-6 0-0 2-2 B"); // the fifth set still shown
        row("3bbbbbb5bbbbbb", "0-0 6-0 6-0 0-0 0-0 0-0 2-0 B");
        // Left leads two sets to none when one set is chosen: the leader, not the scorer,
        // takes the match at the next counted game.
        row("5bbbbbbbbbbbb1r", "[L 0-2V 6-0 6-0 0-1 2-0 B] 0-0 0-0 0-0 0-0 0-0 B");
    }

    void scripts() {
        QFETCH(QString, script);
        QFETCH(QString, board);
        StartedGame s;
        QCOMPARE(QString::fromStdString(play(s, script)), board);
        QVERIFY(!s.host.clock);
    }

    void oddPoints() {
        StartedGame s;
        s.game.punteggio(5); // anything but 0 is the right player's, as is any server
        s.game.punteggio(-1);
        s.game.Battuta = 7;
        s.game.batte();
        QCOMPARE(s.game.PassoX, -200);
        QCOMPARE(board(s.game), "0-30 0-0 0-0 0-0 0-0 R"s);
        s.game.lblPuntoBlu.Caption = "2V"s;
        s.game.punteggio(0); // a won game waits for its count
        QCOMPARE(s.game.lblPuntoBlu.Caption, "2V"s);
        s.game.SetVintiBlu = s.game.SetVintiRossa = 2; // equal sets never end a match
        std::string winner = "x";
        QVERIFY(!s.game.ControllaMatch(winner));
        QCOMPARE(winner, "x"s);
        s.game.lblPuntoBlu.Caption = "40"s; // nor a game not yet won
        QVERIFY(!s.game.ControllaPartita(0));
        QCOMPARE(board(s.game), "40-30 0-0 0-0 0-0 2-2 R"s);
    }

    // The toss, then the serve: the ball waits at the server's racquet with its spin, the
    // clock stopped, drawn at once; each drew anew from a reseeded generator.
    void tossAndServe_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("serve");
        QTest::newRow("zero") << 0.0f << "852,2370 200,-21 off, 1 paint, 2 reseeds";
        QTest::newRow("just below half")
            << 0.49999997f << "852,2370 200,-21 off, 1 paint, 2 reseeds";
        QTest::newRow("half") << 0.5f << "6468,2610 -200,-21 off, 1 paint, 2 reseeds";
    }

    void tossAndServe() {
        QFETCH(float, draw);
        QFETCH(QString, serve);
        StartedGame s;
        s.host.clock = true;
        s.host.repaints = s.host.reseeds = 0;
        s.host.draws = {draw, 0.75f, 0.2f};
        s.game.Sorteggio();
        s.game.batte();
        const GameCore& g = s.game;
        QCOMPARE(QString::asprintf("%g,%g %d,%d %s, %d paint, %d reseeds", double(g.Pallina.Left),
                                   double(g.Pallina.Top), g.PassoX, g.PassoY,
                                   s.host.clock ? "on" : "off", s.host.repaints, s.host.reseeds),
                 serve);
    }

    // The game's own generator, seeded with fixed numbers (the same count on every run):
    // each player serves first about half the time.
    void eachPlayerServesFirstAboutHalfTheTime() {
        std::uint32_t seed = 0;
        ClockRandom random([&seed] { return seed++; });
        FakePlatform host;
        host.chance = [&random] { return random.draw(); };
        GameCore game(host);
        int leftFirst = 0;
        for (int i = 0; i < 10000; ++i, random.reseed()) {
            game.Nuova_partita();
            leftFirst += game.Battuta == 0 ? 1 : 0;
        }
        QVERIFY2(std::abs(leftFirst - 5000) < 300, qPrintable(QString::number(leftFirst)));
    }

    // From the start (help file, caption, level) and mid-match: a new match clears the board,
    // keeps the sets chosen, puts the angle back and re-spin off, then tosses and serves.
    void newMatch() {
        StartedGame s;
        QCOMPARE(HelpFile + s.game.Label1.Caption + std::to_string(s.host.interval),
                 "C:\\Giochi\\quindra.hlpScore100"s);
        play(s, "3rrrrrrBBBRRRB");
        AngoloTiro = 1200;
        s.game.mnuRief_Click();
        s.host.clock = true;
        s.host.reseeds = 0;
        s.host.draws = {0.9f, 0.1f, 0.3f};
        s.game.Nuova_partita();
        QCOMPARE(board(s.game) + " " + std::to_string(s.game.PassoY), "0-0 0-0 0-0 0-0 0-0 R 31"s);
        QVERIFY(s.game.NumSet == 3 && AngoloTiro == 800 && !s.game.RiEffetto &&
                !s.game.menu.mnuRief);
        QVERIFY(s.host.reseeds == 2 && !s.host.clock);
    }

    void soak() { playSoak(); }
};

QTEST_APPLESS_MAIN(ScoringTest)
#include "test_scoring.moc"
