// The computer at the right racquet: how often it returns, how often it can be beaten,
// and that it only ever does what a person at the right player's keys could do.
#include "FakePlatform.h"

#include "input/Computer.h"

#include <QtTest>

#include <random>

using namespace quindra;
using namespace quindra::testing;

namespace {

// A match against the computer, run in milliseconds of a clock of its own.
struct Court {
    std::mt19937 random;
    FakePlatform host;
    GameCore game{host};
    ComputerPlayer computer{game, host};
    std::int64_t now = 0, lastMove = -1000, shortestGap = 1000;
    explicit Court(void (GameCore::*level)()) : random(1) {
        host.chance = [this] { return fromBits(std::uint32_t(random() >> 8)); };
        game.Form_Load("C:\\Giochi");
        (game.*level)();
    }
    // One period of the game clock: the computer may act every millisecond of it.
    void period() {
        for (int t = 0; t < host.interval; ++t)
            if (const std::int16_t code = computer.act(++now)) {
                if (code != 32)
                    shortestGap = std::min(shortestGap, now - lastMove), lastMove = now;
                game.ControllaTasti(code);
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
    void playsAt_data() {
        QTest::addColumn<Level>("level");
        QTest::addColumn<int>("least");
        QTest::newRow("Principiante") << Level(&GameCore::mnuPri_Click) << 900;
        QTest::newRow("Intermedio") << Level(&GameCore::mnuInt_Click) << 930;
        QTest::newRow("Professionista") << Level(&GameCore::mnuPro_Click) << 970;
    }

    // A left player who serves and never moves: the computer returns nearly every ball. A
    // left player who aims every return for a corner (the ball taken on the racquet's edge
    // flies off steeply) beats it at every level, never easily.
    void playsAt() {
        QFETCH(Level, level);
        QFETCH(int, least);
        Court c(level);
        GameCore& g = c.game;
        int returned = 0;
        for (int i = 0; i < 1000; ++i) {
            g.Battuta = 0;
            g.batte();
            g.ControllaTasti(32);
            while (c.host.clock && g.PassoX > 0)
                c.period();
            returned += c.host.clock ? 1 : 0;
            c.host.clock = false;
        }
        int points = 0, leftWins = 0;
        while (points < 1000) {
            if (!c.host.clock && g.Battuta == 0)
                g.ControllaTasti(32); // the left player serves at once
            aimForACorner(g);
            const std::int32_t direction = g.PassoX;
            const bool running = c.host.clock;
            c.period();
            if (running && !c.host.clock) // the point is over: won by the left past the right
                ++points, leftWins += direction > 0 ? 1 : 0;
        }
        qInfo("%s: %d of 1000 serves returned, %d of 1000 points lost", QTest::currentDataTag(),
              returned, leftWins);
        QVERIFY(returned >= least);
        QVERIFY(leftWins >= 100 && leftWins <= 500);
        QVERIFY(c.shortestGap >= c.computer.interval());
    }
};

QTEST_APPLESS_MAIN(ComputerTest)
#include "test_computer.moc"
