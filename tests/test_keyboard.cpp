// Both players on one keyboard: the table of codes, the limits of the racquets' moves.
#include "FakePlatform.h"

#include <QtTest>

#include <map>

using namespace quindra;
using namespace quindra::testing;

namespace {

// Everything a key may change, as numbers: the clock is 1 when running.
struct Snapshot {
    float redLeft, redTop, blueLeft, blueTop, ballLeft, ballTop, passoX, passoY, clock;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const GameCore& g, const FakePlatform& host) {
    return {g.Racchetta_Rossa.Left, g.Racchetta_Rossa.Top, g.Racchetta_Blu.Left,
            g.Racchetta_Blu.Top,    g.Pallina.Left,        g.Pallina.Top,
            float(g.PassoX),        float(g.PassoY),       host.clock ? 1.0f : 0.0f};
}

struct State {
    bool clock, training, respin;
    int passoX;
};

// Racquets away from their columns and limits, so every action shows.
void setUp(GameCore& g, FakePlatform& host, const State& st) {
    g.Racchetta_Rossa.Move(6000, 2000);
    g.Racchetta_Blu.Move(1000, 2000);
    g.Pallina.Move(3000, 2500);
    g.PassoX = st.passoX;
    g.PassoY = 7;
    g.Allenamento = st.training;
    g.RiEffetto = st.respin;
    host.clock = st.clock;
    host.draws.clear(); // every draw is 0.25: a re-spin gives +26
}

enum class Needs { Nothing, LeftFree, BallGoingLeft, BallGoingRight };

struct Row {
    int code;
    float Snapshot::*changes;
    float to;
    Needs needs;
};

// The keyboard table, from the set-up above.
constexpr Row table[] = {
    {32, &Snapshot::clock, 1, Needs::Nothing},
    {37, &Snapshot::redLeft, 5280, Needs::Nothing},
    {38, &Snapshot::redTop, 1750, Needs::Nothing},
    {56, &Snapshot::redTop, 1750, Needs::Nothing},
    {222, &Snapshot::redTop, 1750, Needs::Nothing},
    {39, &Snapshot::redLeft, 6600, Needs::Nothing},
    {40, &Snapshot::redTop, 2250, Needs::Nothing},
    {50, &Snapshot::redTop, 2250, Needs::Nothing},
    {189, &Snapshot::redTop, 2250, Needs::Nothing},
    {52, &Snapshot::passoY, 26, Needs::BallGoingLeft},
    {65, &Snapshot::blueTop, 1750, Needs::LeftFree},
    {97, &Snapshot::blueTop, 1750, Needs::LeftFree},
    {119, &Snapshot::blueTop, 1750, Needs::LeftFree},
    {83, &Snapshot::passoY, 26, Needs::BallGoingRight},
    {115, &Snapshot::passoY, 26, Needs::BallGoingRight},
    {88, &Snapshot::blueLeft, 2080, Needs::LeftFree},
    {90, &Snapshot::blueTop, 2250, Needs::LeftFree},
    {122, &Snapshot::blueTop, 2250, Needs::LeftFree},
    {226, &Snapshot::blueLeft, 720, Needs::LeftFree},
    {60, &Snapshot::blueLeft, 720, Needs::LeftFree}, // "<" typed where no key left of Z is
};

bool holds(Needs needs, const State& st) {
    switch (needs) {
    case Needs::LeftFree:
        return !st.training;
    case Needs::BallGoingLeft:
        return st.respin && st.passoX < 0;
    case Needs::BallGoingRight:
        return st.respin && st.passoX > 0;
    default:
        return true;
    }
}

Snapshot expected(Snapshot s, int code, const State& st) {
    for (const Row& row : table)
        if (row.code == code && holds(row.needs, st))
            s.*row.changes = row.to;
    return s;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCodeInEveryState() {
        FakePlatform host;
        int states = 0;
        for (const bool clock : {false, true})
            for (const bool training : {false, true})
                for (const bool respin : {false, true})
                    for (const int passoX : {200, -200}) {
                        const State st{clock, training, respin, passoX};
                        ++states;
                        for (int code = INT16_MIN; code <= INT16_MAX; ++code) {
                            GameCore g(host);
                            setUp(g, host, st);
                            const Snapshot before = snapshot(g, host);
                            g.ControllaTasti(static_cast<std::int16_t>(code));
                            if (!(snapshot(g, host) == expected(before, code, st)))
                                QFAIL(qPrintable(QStringLiteral("code %1, clock %2, training %3, "
                                                                "re-spin %4, PassoX %5")
                                                     .arg(code)
                                                     .arg(clock)
                                                     .arg(training)
                                                     .arg(respin)
                                                     .arg(passoX)));
                        }
                    }
        QCOMPARE(states, 16);
    }

    void moveUpLimit_data() {
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("after");
        QTest::newRow("at 50 refused") << 50.0f << 50.0f;
        QTest::newRow("at 51 allowed") << 51.0f << -199.0f;
        QTest::newRow("at 300") << 300.0f << 50.0f;
    }

    void moveUpLimit() {
        QFETCH(float, top);
        QFETCH(float, after);
        StartedGame s;
        s.game.Racchetta_Rossa.Top = top;
        s.game.ControllaTasti(38);
        QCOMPARE(s.game.Racchetta_Rossa.Top, after);
        s.game.Racchetta_Blu.Top = top;
        s.game.ControllaTasti(119);
        QCOMPARE(s.game.Racchetta_Blu.Top, after);
    }

    void moveDownLimit_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("after");
        // Refused once Height + Top + 500 reaches the outer height + 250.
        const float equal = fakeOuterHeight + 250 - 500 - 900;
        QTest::newRow("equal refused") << 900.0f << equal << equal;
        QTest::newRow("a twip less allowed") << 900.0f << equal - 1 << equal + 249;
        QTest::newRow("small racquet") << 450.0f << equal << equal + 250;
    }

    void moveDownLimit() {
        QFETCH(float, height);
        QFETCH(float, top);
        QFETCH(float, after);
        StartedGame s;
        s.game.Racchetta_Rossa.Height = height;
        s.game.Racchetta_Rossa.Top = top;
        s.game.ControllaTasti(40);
        QCOMPARE(s.game.Racchetta_Rossa.Top, after);
        s.game.Racchetta_Blu.Height = height;
        s.game.Racchetta_Blu.Top = top;
        s.game.ControllaTasti(90);
        QCOMPARE(s.game.Racchetta_Blu.Top, after);
    }

    void keyAMovesTwoSteps() {
        StartedGame s;
        s.game.Racchetta_Blu.Top = 1920;
        s.game.Form_KeyDown(65, 0);
        s.game.Form_KeyPress(97);
        QCOMPARE(s.game.Racchetta_Blu.Top, 1420.0f);
        s.game.Racchetta_Blu.Top = 260;
        s.game.Form_KeyDown(65, 0);
        QCOMPARE(s.game.Racchetta_Blu.Top, 10.0f);
        s.game.Form_KeyPress(97);
        QCOMPARE(s.game.Racchetta_Blu.Top, 10.0f);
    }

    void placingKeepsTheHeight() {
        StartedGame s;
        s.game.Racchetta_Rossa.Move(6600, 1234);
        s.game.ControllaTasti(37);
        QCOMPARE(s.game.Racchetta_Rossa.Left, 5280.0f);
        QCOMPARE(s.game.Racchetta_Rossa.Top, 1234.0f);
        s.game.ControllaTasti(37); // whatever its current place
        QCOMPARE(s.game.Racchetta_Rossa.Left, 5280.0f);
    }

    void spaceWhileRunningChangesNothing() {
        StartedGame s;
        s.host.clock = true;
        s.game.Form_KeyDown(32, 0);
        s.game.Form_KeyPress(32);
        QVERIFY(s.host.clock);
    }

    void reSpinTwiceKeepsTheSecondRoll() {
        StartedGame s;
        s.game.RiEffetto = true;
        s.game.PassoX = 200;
        s.host.draws = {0.1f, 0.1f, 0.9f, 0.5f};
        s.game.Form_KeyDown(83, 0);
        QCOMPARE(s.game.PassoY, 11);
        s.game.Form_KeyPress(115);
        QCOMPARE(s.game.PassoY, -51);
    }
};

QTEST_APPLESS_MAIN(KeyboardTest)
#include "test_keyboard.moc"
