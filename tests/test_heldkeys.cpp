// Held keys: each repeats on its own at the desktop's delay and rate.
#include "FakePlatform.h"

#include "input/HeldKeys.h"

#include <QtTest>

#include <map>

using namespace quindra;
using namespace quindra::testing;

namespace {

const KeyPress keyA{1, 65, {97}};
const KeyPress keyUp{2, 38, {}};

// Runs the repeats millisecond by millisecond into the game; the times each key repeated.
std::map<std::uint32_t, std::vector<std::int64_t>> run(HeldKeys& held, GameCore& game,
                                                       std::int64_t from, std::int64_t to) {
    std::map<std::uint32_t, std::vector<std::int64_t>> times;
    for (std::int64_t t = from; t <= to; ++t)
        for (const KeyPress& key : held.takeDue(t)) {
            times[key.id].push_back(t);
            deliverKey(game, key);
        }
    return times;
}

} // namespace

class HeldKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void bothPlayersHoldAtOnce() {
        StartedGame s;
        s.game.Racchetta_Blu.Top = 4400;
        s.game.Racchetta_Rossa.Top = 4400;
        HeldKeys held(300, 50);
        QVERIFY(held.press(keyA, 0));
        deliverKey(s.game, keyA);
        QVERIFY(held.press(keyUp, 20));
        deliverKey(s.game, keyUp);
        QVERIFY(!held.press(keyUp, 100)); // a second press of a held key is none
        auto times = run(held, s.game, 0, 460);
        QCOMPARE(times[1], (std::vector<std::int64_t>{300, 350, 400, 450}));
        QCOMPARE(times[2], (std::vector<std::int64_t>{320, 370, 420}));
        // A acts twice per press (key and letter): 5 presses of 500 twips; Up 4 of 250.
        QCOMPARE(s.game.Racchetta_Blu.Top, 4400.0f - 5 * 500);
        QCOMPARE(s.game.Racchetta_Rossa.Top, 4400.0f - 4 * 250);
        held.release(1);
        times = run(held, s.game, 461, 600);
        QVERIFY(times[1].empty());
        QCOMPARE(times[2], (std::vector<std::int64_t>{470, 520, 570}));
        // A late call fires once and drops what it missed.
        QCOMPARE(held.takeDue(800).size(), std::size_t(1));
        QCOMPARE(*held.nextDue(), std::int64_t(850));
        held.releaseAll();
        QVERIFY(!held.nextDue());
    }

    void desktopTimingIsLearnt_data() {
        QTest::addColumn<int>("firstRepeat");
        QTest::addColumn<int>("secondRepeat");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("interval");
        QTest::newRow("Xvfb's 660 ms and 25 a second") << 660 << 700 << 660 << 40;
        QTest::newRow("too short to be a delay") << 20 << 60 << 500 << 40;
        QTest::newRow("too long to be a rate") << 400 << 2400 << 400 << 33;
    }

    void desktopTimingIsLearnt() {
        QFETCH(int, firstRepeat);
        QFETCH(int, secondRepeat);
        QFETCH(int, delay);
        QFETCH(int, interval);
        HeldKeys held;
        held.press(keyUp, 0);
        held.desktopRepeat(keyUp.id, firstRepeat);
        held.desktopRepeat(keyUp.id, secondRepeat);
        QCOMPARE(held.delay(), delay);
        QCOMPARE(held.interval(), interval);
        held.desktopRepeat(keyA.id, 5000); // a key not held teaches nothing
        QCOMPARE(held.delay(), delay);
    }
};

QTEST_APPLESS_MAIN(HeldKeysTest)
#include "test_heldkeys.moc"
