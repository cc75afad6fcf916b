// The computer at the right racquet: when it serves and moves, where it aims, and how often
// it returns a ball.
#include "FakePlatform.h"

#include "input/Computer.h"

#include <QtTest>

#include <random>

using namespace quindra;
using namespace quindra::testing;

using Level = void (GameCore::*)();

void aimRow(const char* name, int interval, QList<float> ball, float blueTop, bool misjudged,
            float from, float top) {
    QTest::newRow(name) << interval << ball << blueTop << misjudged << from << top;
}

class ComputerTest : public QObject {
    Q_OBJECT

  private slots:
    // Its serve a second after it falls due, Space as a person presses it; then moves at
    // most one a repeat interval, first to its base column.
    void timing() {
        StartedGame s;
        ComputerPlayer c(s.game, s.host);
        s.game.Battuta = 0; // the left player's serve is not its own
        QString codes = QString::number(c.act(0));
        s.game.Battuta = 1;
        for (const std::int64_t t : {0, 999, 1000, 1001, 2000, 2001})
            codes += " " + QString::number(c.act(t));
        s.host.clock = true;
        s.game.PassoX = -200;
        s.game.Racchetta_Rossa.Move(5280, 0);
        for (const std::int64_t t : {3000, 3001, 3032, 3033, 3065, 3066}) {
            const std::int16_t code = c.act(t);
            codes += " " + QString::number(code);
            s.game.ControllaTasti(code);
        }
        QCOMPARE(codes, QStringLiteral("0 0 0 32 0 0 32 39 0 0 40 0 40"));
    }

    // Where it puts its racquet, starting from `from`, judging once, the ball still: where
    // the ball will cross its column (bounces included) less 30 % or 70 % of the racquet,
    // to send it away from the blue racquet; with no misjudgement (draws of a quarter give a
    // normal draw of 0) or one of a whole spread (draws giving 1); the middle (2076) for a
    // ball going away. It stops within 125 twips of its aim; some rows aim at that limit.
    void aim_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QList<float>>("ball"); // left, top, step across, step down
        QTest::addColumn<float>("blueTop");
        QTest::addColumn<bool>("misjudged");
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("top");
        aimRow("going away", 100, {3000, 2000, -200, 0}, 1920, false, 0, 2000);
        aimRow("going away, at the limit", 100, {3000, 2000, -200, 0}, 1920, false, 2451, 2201);
        aimRow("blue high", 100, {3000, 2000, 200, 0}, 1920, false, 2160, 1410);
        aimRow("blue just low", 100, {3000, 2000, 200, 0}, 2076, false, 2160, 1660);
        aimRow("falling", 100, {3000, 500, 200, 200}, 1920, false, 2160, 3160);
        aimRow("off the top", 100, {3000, 2500, 200, -200}, 1920, false, 2160, 410);
        aimRow("off the top, at the limit", 100, {2000, 200, 200, -37}, 3000, false, 2160, 410);
        aimRow("off the bottom", 100, {3000, 3000, 200, 200}, 3000, false, 2160, 3660);
        aimRow("off the bottom, at the limit", 100, {2200, 4900, 200, 79}, 3000, false, 2160, 3160);
        aimRow("Professionista", 40, {3000, 2374, 200, 0}, 1920, true, 2160, 1660);
        aimRow("Intermedio", 50, {3000, 2000, 200, 100}, 1920, true, 2160, 3410);
        aimRow("Principiante", 100, {3000, 2304, 200, 0}, 1920, true, 2160, 1660);
    }

    void aim() {
        QFETCH(int, interval);
        QFETCH(QList<float>, ball);
        QFETCH(float, blueTop);
        QFETCH(bool, misjudged);
        QFETCH(float, from);
        QFETCH(float, top);
        StartedGame s;
        GameCore& g = s.game;
        s.host.clock = true;
        s.host.interval = interval;
        g.Racchetta_Blu.Top = blueTop;
        g.Racchetta_Rossa.Top = from;
        g.Pallina.Move(ball[0], ball[1]);
        g.PassoX = int(ball[2]);
        g.PassoY = int(ball[3]);
        s.host.draws = {misjudged ? 0.39346934f : 0.25f, misjudged ? 0.0f : 0.25f};
        ComputerPlayer c(g, s.host);
        c.reset(); // as when switched on: it judges afresh
        std::int64_t now = 0;
        for (; now < 2000; now += 33)
            g.ControllaTasti(c.act(now));
        QCOMPARE(g.Racchetta_Rossa.Top, top);
        QCOMPARE(c.act(now), std::int16_t(0)); // settled: no key at all
    }

    void returnsServes_data() {
        QTest::addColumn<Level>("level");
        QTest::addColumn<int>("least");
        QTest::newRow("Principiante") << Level(&GameCore::mnuPri_Click) << 900;
        QTest::newRow("Intermedio") << Level(&GameCore::mnuInt_Click) << 930;
        QTest::newRow("Professionista") << Level(&GameCore::mnuPro_Click) << 970;
    }

    // A left player who serves and never moves, the clock ticking and the computer looking
    // every millisecond: it returns nearly every ball, more the higher the level.
    void returnsServes() {
        QFETCH(Level, level);
        QFETCH(int, least);
        std::mt19937 random(1);
        StartedGame s;
        GameCore& g = s.game;
        s.host.chance = [&random] { return float(random() >> 8) / 16777216.0f; };
        (g.*level)();
        ComputerPlayer computer(g, s.host);
        std::int64_t now = 0;
        int returned = 0;
        for (int i = 0; i < 1000; ++i) {
            g.Battuta = 0;
            g.batte();
            g.ControllaTasti(32);
            while (s.host.clock && g.PassoX > 0) {
                for (int t = 0; t < s.host.interval; ++t)
                    g.ControllaTasti(computer.act(++now));
                g.Timer1_Timer();
            }
            returned += s.host.clock ? 1 : 0;
            s.host.clock = false;
        }
        qInfo("%s: %d of 1000 serves returned", QTest::currentDataTag(), returned);
        QVERIFY(returned >= least);
    }
};

QTEST_APPLESS_MAIN(ComputerTest)
#include "test_computer.moc"
