// The computer at the right racquet: how often it returns, how often it can be beaten,
// and that it only ever does what a person at the right player's keys could do.
#include "app/GameCore.h"
#include "input/Computer.h"

#include <QtTest>

#include <random>

using namespace quindra;

namespace {

// A host whose chance is a seeded generator, and whose clock is a flag.
class SeededHost : public Platform {
  public:
    explicit SeededHost(unsigned seed) : random(seed) {}
    bool clock = false;
    int interval = 100;
    std::mt19937 random;
    void setClockEnabled(bool enabled) override { clock = enabled; }
    bool clockEnabled() const override { return clock; }
    void setClockInterval(int milliseconds) override { interval = milliseconds; }
    int clockInterval() const override { return interval; }
    float outerWidth() const override { return 7455 + 8 * 15; }
    float outerHeight() const override { return 5070 + 49 * 15; }
    void repaint() override {}
    void showMessage(const std::string&) override {}
    std::optional<Colour> pickColour(Colour) override { return std::nullopt; }
    void reseedRandom() override {}
    float drawRandom() override { return float(random() >> 8) / 16777216.0f; }
};

// A match against the computer, run in milliseconds of a clock of its own.
struct Court {
    SeededHost host;
    GameCore game{host};
    ComputerPlayer computer{game, host};
    std::int64_t now = 0;
    std::int64_t lastMove = -1000;
    std::int64_t shortestGap = 1000000;
    bool withinReach = true;
    explicit Court(unsigned seed, void (GameCore::*level)()) : host(seed) {
        game.Form_Load("C:\\Giochi");
        (game.*level)();
    }
    // One period of the game clock: the computer may act every millisecond of it.
    void period() {
        for (int t = 0; t < host.interval; ++t) {
            ++now;
            if (const std::int16_t code = computer.act(now)) {
                if (code != 32) {
                    shortestGap = std::min(shortestGap, now - lastMove);
                    lastMove = now;
                }
                game.ControllaTasti(code);
                // Only where the right player's keys could put the racquet.
                const Shape& r = game.Racchetta_Rossa;
                withinReach = withinReach && (r.Left == 5280 || r.Left == 6600) && r.Top > -250 &&
                              r.Top + r.Height < host.outerHeight();
            }
        }
        if (host.clock)
            game.Timer1_Timer();
    }
};

using Level = void (GameCore::*)();

// One move of the left player's keys toward taking the ball on the racquet's edge, the
// top edge when the computer stands low (the ball flies up) and the bottom edge otherwise.
void aimForACorner(GameCore& g) {
    if (g.PassoX > 0)
        return;
    const Shape& blue = g.Racchetta_Blu;
    // Where the ball will cross the blue racquet's column, bounces left aside: near enough
    // for a player who watches the ball.
    const int ticks = int((g.Pallina.Left - blue.Left) / 200);
    const float arrival = g.Pallina.Top + float(ticks * g.PassoY);
    const Shape& red = g.Racchetta_Rossa;
    const bool redLow = red.Top + red.Height / 2 > g.Campo.Height / 2;
    const float wanted = redLow ? arrival - 30 : arrival - blue.Height + 30;
    if (wanted < blue.Top - 125)
        g.ControllaTasti(65);
    else if (wanted > blue.Top + 125)
        g.ControllaTasti(90);
}

} // namespace

class ComputerTest : public QObject {
    Q_OBJECT

  private slots:
    void returnsServes_data() {
        QTest::addColumn<Level>("level");
        QTest::addColumn<double>("least");
        QTest::newRow("Principiante") << Level(&GameCore::mnuPri_Click) << 0.90;
        QTest::newRow("Intermedio") << Level(&GameCore::mnuInt_Click) << 0.93;
        QTest::newRow("Professionista") << Level(&GameCore::mnuPro_Click) << 0.97;
    }

    // A left player who serves and never moves: the computer returns nearly every ball.
    void returnsServes() {
        QFETCH(Level, level);
        QFETCH(double, least);
        Court c(1, level);
        int returned = 0;
        const int serves = 1000;
        for (int i = 0; i < serves; ++i) {
            c.game.Battuta = 0;
            c.game.batte();
            c.game.ControllaTasti(32);
            while (c.host.clock && c.game.PassoX > 0)
                c.period();
            if (c.host.clock)
                ++returned;
            c.host.clock = false;
        }
        qInfo("%s: %d of %d serves returned", QTest::currentDataTag(), returned, serves);
        QVERIFY(returned >= least * serves);
        QVERIFY(c.shortestGap >= c.computer.interval());
        QVERIFY(c.withinReach);
    }

    // A left player who aims every return for a corner: the ball taken on the racquet's
    // edge flies off steeply. The computer can be beaten at every level, never easily.
    void canBeBeaten_data() { returnsServes_data(); }

    void canBeBeaten() {
        QFETCH(Level, level);
        Court c(2, level);
        GameCore& g = c.game;
        int points = 0;
        int leftWins = 0;
        std::int32_t direction = 0;
        while (points < 1000) {
            if (!c.host.clock && g.Battuta == 0)
                g.ControllaTasti(32); // the left player serves at once
            aimForACorner(g);
            direction = g.PassoX;
            const bool running = c.host.clock;
            c.period();
            if (running && !c.host.clock) { // the point is over
                ++points;
                leftWins += direction > 0 ? 1 : 0; // out past the right end
            }
        }
        qInfo("%s: the left player won %d of %d points", QTest::currentDataTag(), leftWins, points);
        QVERIFY(leftWins >= points / 10);
        QVERIFY(leftWins <= points / 2);
    }
};

QTEST_APPLESS_MAIN(ComputerTest)
#include "test_computer.moc"
