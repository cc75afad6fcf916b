// The computer at the right racquet: when it serves and moves, where it aims, and how often
// it returns a ball.
#include "FakePlatform.h"
#include "Rallies.h"
#include "Rows.h"

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
    // A person's hand: a press steps at once; held, the key repeats after the delay (500)
    // at its rate (33); presses come at least 125 apart. A move of a few steps is tapped,
    // a long one held (10 steps: 500 + 8 x 33 = 764 against 9 x 125 = 1125). Each look is
    // "time:steps still to go", "time:tCODE" for a tap of another key, or "rDELAY/RATE" for
    // the desktop's repeat; the codes it gives, 38 up, 40 down, 0 none; its keys going down
    // (v) and up (^), and when.
    void hands_data() {
        QTest::addColumn<QString>("looks");
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QString>("keys");
        const auto row = [](const char* name, const char* looks, const char* codes,
                            const char* keys) { QTest::newRow(name) << looks << codes << keys; };
        row("one tap", "0:1 1:0 200:0", "40 0 0", "v40@0 ^40@0");
        row("taps a tap's gap apart", "0:-2 124:-1 125:-1 249:0", "38 0 38 0",
            "v38@0 ^38@0 v38@125 ^38@125");
        row("held: the delay, then the rate", "0:10 499:9 500:9 532:8 533:8 566:7",
            "40 0 40 0 40 40", "v40@0");
        row("tapped up to the break-even", "0:6 125:5", "40 40", "v40@0 ^40@0 v40@125 ^40@125");
        row("held from the break-even", "0:7 125:6 499:6 500:6", "40 0 0 40", "v40@0");
        row("a late look: one step, the missed ones dropped", "0:10 700:9 701:8 732:8 733:8",
            "40 40 0 0 40", "v40@0");
        row("a look a whole interval late: one step", "0:10 533:9 533:8 565:8 566:8",
            "40 40 0 0 40", "v40@0");
        row("let go there, pressed again", "0:10 500:9 520:0 530:3 654:2 655:2", "40 40 0 40 0 40",
            "v40@0 ^40@520 v40@530 ^40@530 v40@655 ^40@655");
        row("turned round while held: a new press", "0:10 500:9 533:-4", "40 40 38",
            "v40@0 ^40@533 v38@533 ^38@533");
        row("turned round after a tap: a tap's gap", "0:3 100:-4 124:-4 125:-4", "40 0 0 38",
            "v40@0 ^40@0 v38@125 ^38@125");
        // With a slow rate (500, then every 100 ms) holding pays only from 17 more steps:
        // 500 + 16 x 100 = 2100 against 17 x 125 = 2125; at 16 more the two tie, and it taps.
        row("slow repeats: tapped", "r500/100 0:17", "40", "v40@0 ^40@0");
        row("slow repeats: held", "r500/100 0:18", "40", "v40@0");
        row("other keys tapped, a tap's gap apart", "0:t39 124:t39 125:t32 249:1 250:1",
            "39 0 32 0 40", "v39@0 ^39@0 v32@125 ^32@125 v40@250 ^40@250");
    }

    void hands() {
        QFETCH(QString, looks);
        QFETCH(QString, codes);
        QFETCH(QString, keys);
        Hands h(38, 40);
        TimingCheck check(h);
        QStringList acts;
        h.setObserver([&acts, &check](Hands::Act act, std::int16_t code, std::int64_t t) {
            acts << QStringLiteral("%1%2@%3")
                        .arg(act == Hands::Act::Press ? "v" : "^")
                        .arg(code)
                        .arg(t);
            check.observe(act, code, t);
        });
        QStringList given;
        for (const QString& look : looks.split(' ')) {
            if (look.startsWith('r')) { // the desktop's repeat: delay/interval
                h.setRepeat(look.mid(1).section('/', 0, 0).toInt(), look.section('/', 1).toInt());
                continue;
            }
            const std::int64_t t = look.section(':', 0, 0).toLongLong();
            const QString what = look.section(':', 1);
            std::int16_t code = 0;
            if (what.startsWith('t')) {
                const auto other = std::int16_t(what.mid(1).toInt());
                code = h.tap(t, other) ? other : 0;
            } else {
                code = h.steer(t, what.toInt());
                if (code)
                    check.step(code, t);
            }
            given << QString::number(code);
        }
        QCOMPARE(given.join(' '), codes);
        QCOMPARE(acts.join(' '), keys);
        QCOMPARE(check.faults, 0); // the check agrees with the hands
    }

    // Its serve a second after it falls due, Space as a person presses it; in a rally
    // first to its base column, then a step once it has taken in the ball (260 ms at
    // "Principiante"); nothing while paused.
    void serveAndColumn() {
        StartedGame s;
        ComputerPlayer c(s.game, s.host);
        s.game.Battuta = 0; // the left player's serve is not its own
        QString codes = QString::number(c.act(0));
        QVERIFY(!c.nextAct());
        s.game.Battuta = 1;
        for (const std::int64_t t : {0, 999, 1000, 1001, 2000, 2001}) {
            codes += " " + QString::number(c.act(t));
            codes += "@" + QString::number(c.nextAct().value_or(-1));
        }
        s.host.clock = true;
        s.game.PassoX = -200;
        s.game.Racchetta_Rossa.Move(5280, 0);
        for (const std::int64_t t : {3000, 3001, 3259, 3260}) {
            const std::int16_t code = c.act(t);
            codes += " " + QString::number(code);
            codes += "@" + QString::number(c.nextAct().value_or(-1));
            s.game.ControllaTasti(code);
        }
        s.game.pauseRally();
        QVERIFY(s.game.paused());
        codes += " " + QString::number(c.act(4000));
        QVERIFY(!c.nextAct());
        QCOMPARE(codes, QStringLiteral("0 0@1000 0@1000 32@-1 0@2001 0@2001 32@-1 39@3125 0@3260 "
                                       "0@3260 40@3760 0"));
    }

    // A change of the ball's course (a serve, a hit, an edge) is answered a reaction time
    // later, by level: 260, 220, 180 ms. Until then it goes on with the move it had begun;
    // a second change while it takes in the first doesn't put its answer off. The ball
    // comes at first, or goes away ("away": back to the middle, 2076, within half a step);
    // then at the times given "hit" sends it away, "edge" turns it down, "serve" is the
    // left player's (the clock was off till then), "come" sends it back, "rest" is a
    // menu opened and closed. The steps it
    // takes from the first change to a second after the last, asked only when it wants to
    // be: up to six steps tapped a tap's gap apart, seven or more held (the delay, then
    // the rate).
    void reaction_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<float>("from");
        QTest::addColumn<QString>("changes"); // at:what
        QTest::addColumn<QString>("steps");
        addRow("hit, Principiante", 100, 1326.0f, "1000:hit", "1260 1385 1510");
        addRow("hit, Intermedio", 50, 1326.0f, "1000:hit", "1220 1345 1470");
        addRow("hit, Professionista", 40, 1326.0f, "1000:hit", "1180 1305 1430");
        addRow("edge", 40, 1326.0f, "1000:edge",
               "1180 1680 1713 1746 1779 1812 1845 1878 1911 1944");
        addRow("serve", 40, 2076.0f, "1000:serve", "1180 1305 1430");
        addRow("hit, then edge", 40, 1326.0f, "1000:hit 1100:edge", "1180 1305 1430");
        addRow("hit, then a menu", 40, 1326.0f, "1000:hit 1100:rest", "1280 1405 1530");
        addRow("six steps, still tapped", 100, 576.0f, "0:away", "260 385 510 635 760 885");
        addRow("eight steps, held", 100, 76.0f, "0:away", "260 760 793 826 859 892 925 958");
        addRow("a move begun goes on", 100, 76.0f, "0:away 800:come",
               "260 760 793 826 859 892 925 958 1060 1185 1310");
    }

    void reaction() {
        QFETCH(int, interval);
        QFETCH(float, from);
        QFETCH(QString, changes);
        QFETCH(QString, steps);
        StartedGame s;
        GameCore& g = s.game;
        s.host.interval = interval;
        s.host.clock = !changes.contains("serve");
        g.Racchetta_Blu.Top = 1920; // high: it takes the ball low on its racquet
        g.Racchetta_Rossa.Top = from;
        g.Pallina.Move(3000, 2000);
        g.PassoX = 200;
        g.PassoY = 0;
        ComputerPlayer c(g, s.host);
        QMap<std::int64_t, QString> due; // the changes, by time
        for (const QString& change : changes.split(' '))
            due.insert(change.section(':', 0, 0).toLongLong(), change.section(':', 1));
        const std::int64_t first = due.firstKey(), end = due.lastKey() + 1000;
        QStringList at;
        for (std::int64_t t = 0; t < end;) {
            const QString what = due.value(t);
            if (what == "hit" || what == "away")
                g.PassoX = -200;
            g.PassoX = what == "come" ? 200 : g.PassoX;
            g.PassoY = what == "edge" ? 150 : g.PassoY;
            s.host.clock = s.host.clock || what == "serve";
            if (what == "rest")
                c.rest(); // back from a menu, it looks afresh
            if (const std::int16_t code = c.act(t)) {
                g.ControllaTasti(code);
                if (t >= first)
                    at << QString::number(t);
            }
            // Asked again when it wants, or when the ball next changes.
            const auto later = due.upperBound(t);
            t = std::min(c.nextAct().value_or(end), later == due.end() ? end : later.key());
        }
        QCOMPARE(at.join(' '), steps);
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
        // Misjudged by a whole spread, by level: each row half a twip from where one step
        // more or less would do, so a spread a twip wider or narrower tells.
        aimRow("Professionista", 40, {3000, 2364.5, 200, 0}, 1920, true, 2160, 1660);
        aimRow("Professionista, steep", 40, {3000, 1444.5, 200, 50}, 1920, true, 2160, 1660);
        aimRow("Intermedio", 50, {3000, 2334.5, 200, 0}, 1920, true, 2160, 1660);
        aimRow("Intermedio, steep", 50, {3000, 2000, 200, 100}, 1920, true, 2160, 3410);
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
        for (; now < 3000; ++now)
            g.ControllaTasti(c.act(now));
        QCOMPARE(g.Racchetta_Rossa.Top, top);
        QCOMPARE(c.act(now), std::int16_t(0)); // settled: no key at all
        QVERIFY(!c.nextAct());                 // nor a wish to be asked before the ball moves
    }

    // Whole points at each level, the left player with a person's hands too. A left player
    // who serves and never moves: the computer returns most serves, though not all. One who
    // aims every return at a corner: wins a fair share of points at every level (at least
    // 15 %), and no walkover at the fastest (at most 60 %). A person new to the game, late
    // by a reaction time and tapping: wins at least a third at "Principiante". Neither
    // player ever steps faster than a person could.
    void againstALeftPlayer_data() {
        QTest::addColumn<Level>("level");
        QTest::addColumn<QList<int>>("returns"); // least, most of 2000 serves
        QTest::addColumn<QList<int>>("corners"); // least, most of 2000 points
        QTest::addColumn<QList<int>>("person");  // least, most of 2000 points
        QTest::newRow("Principiante") << Level(&GameCore::mnuPri_Click) << QList<int>{1760, 1940}
                                      << QList<int>{600, 1200} << QList<int>{1400, 1900};
        QTest::newRow("Intermedio") << Level(&GameCore::mnuInt_Click) << QList<int>{1840, 1980}
                                    << QList<int>{400, 1000} << QList<int>{1000, 1700};
        QTest::newRow("Professionista") << Level(&GameCore::mnuPro_Click) << QList<int>{1900, 1990}
                                        << QList<int>{300, 800} << QList<int>{700, 1300};
    }

    void againstALeftPlayer() {
        QFETCH(Level, level);
        QFETCH(QList<int>, returns);
        QFETCH(QList<int>, corners);
        QFETCH(QList<int>, person);
        Rallies still(level, LeftPlays::Still, 1);
        while (still.serves < 2000) {
            still.game.Battuta = 0;
            still.game.batte();
            still.playPoint();
        }
        Rallies aimer(level, LeftPlays::Corners, 2);
        Rallies beginner(level, LeftPlays::Person, 3);
        int aimerWon = 0, beginnerWon = 0;
        for (int i = 0; i < 2000; ++i) {
            aimerWon += aimer.playPoint();
            beginnerWon += beginner.playPoint();
        }
        qInfo("%s: %d of 2000 serves returned; of 2000 points %d won by corners, %d by a person",
              QTest::currentDataTag(), still.returns, aimerWon, beginnerWon);
        for (Rallies* r : {&still, &aimer, &beginner})
            QCOMPARE(r->computerTiming.faults + r->leftTiming.faults, 0);
        const auto within = [](int n, const QList<int>& range) {
            return n >= range[0] && n <= range[1];
        };
        QVERIFY(within(still.returns, returns));
        QVERIFY(within(aimerWon, corners));
        QVERIFY(within(beginnerWon, person));
    }
};

QTEST_APPLESS_MAIN(ComputerTest)
#include "test_computer.moc"
