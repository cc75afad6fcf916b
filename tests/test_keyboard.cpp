// Both players on one keyboard: every code in every state, and the racquets' limits.
#include "FakePlatform.h"

#include "input/HeldKeys.h"
#include "input/Players.h"

#include <QtTest>

#include <map>

using namespace quindra;
using namespace quindra::testing;
using namespace std::string_literals;

namespace {

// Everything a key may change, as numbers.
enum Field { RedLeft, RedTop, BlueLeft, BlueTop, BallLeft, BallTop, StepX, StepY, Clock };
using Snapshot = std::array<float, 9>;

Snapshot snapshot(const GameCore& g, const FakePlatform& host) {
    return {g.Racchetta_Rossa.Left, g.Racchetta_Rossa.Top, g.Racchetta_Blu.Left,
            g.Racchetta_Blu.Top,    g.Pallina.Left,        g.Pallina.Top,
            float(g.PassoX),        float(g.PassoY),       host.clock ? 1.0f : 0.0f};
}

enum Needs { Always, LeftFree, BallGoingLeft, BallGoingRight };

// What each code does, from racquets at 6000, 2000 and 1000, 2000 (every draw 0.25: a
// re-spin gives +26).
constexpr struct {
    int code;
    Field changes;
    float to;
    Needs needs;
} table[] = {
    {32, Clock, 1, Always},          {37, RedLeft, 5280, Always},
    {39, RedLeft, 6600, Always},     {38, RedTop, 1750, Always},
    {56, RedTop, 1750, Always},      {222, RedTop, 1750, Always},
    {40, RedTop, 2250, Always},      {50, RedTop, 2250, Always},
    {189, RedTop, 2250, Always},     {52, StepY, 26, BallGoingLeft},
    {83, StepY, 26, BallGoingRight}, {115, StepY, 26, BallGoingRight},
    {65, BlueTop, 1750, LeftFree},   {97, BlueTop, 1750, LeftFree},
    {119, BlueTop, 1750, LeftFree},  {90, BlueTop, 2250, LeftFree},
    {122, BlueTop, 2250, LeftFree},  {88, BlueLeft, 2080, LeftFree},
    {226, BlueLeft, 720, LeftFree},  {60, BlueLeft, 720, LeftFree},
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCodeInEveryState() {
        FakePlatform host;
        for (int state = 0; state < 16; ++state) {
            const bool clock = state & 1, training = state & 2, respin = state & 4;
            const int passoX = state & 8 ? -200 : 200;
            const bool holds[] = {true, !training, respin && passoX < 0, respin && passoX > 0};
            for (int code = INT16_MIN; code <= INT16_MAX; ++code) {
                GameCore g(host);
                g.Racchetta_Rossa.Move(6000, 2000);
                g.Racchetta_Blu.Move(1000, 2000);
                g.Pallina.Move(3000, 2500);
                g.PassoX = passoX;
                g.PassoY = 7;
                g.Allenamento = training;
                g.RiEffetto = respin;
                host.clock = clock;
                Snapshot expected = snapshot(g, host);
                for (const auto& row : table)
                    if (row.code == code && holds[row.needs])
                        expected[row.changes] = row.to;
                g.ControllaTasti(static_cast<std::int16_t>(code));
                if (snapshot(g, host) != expected)
                    QFAIL(qPrintable(QStringLiteral("code %1 in state %2").arg(code).arg(state)));
            }
        }
    }

    void limits_data() {
        QTest::addColumn<float>("height");
        QTest::addColumn<float>("top");
        QTest::addColumn<int>("blueCode");
        QTest::addColumn<float>("after");
        // Up is refused at 50 and above; down once Height + Top + 500 reaches the outer
        // height + 250.
        const float equal = fakeOuterHeight + 250 - 500 - 900;
        QTest::newRow("up at 50 refused") << 900.0f << 50.0f << 119 << 50.0f;
        QTest::newRow("down equal refused") << 900.0f << equal << 90 << equal;
        QTest::newRow("down a twip less") << 900.0f << equal - 1 << 90 << equal + 249;
    }

    void limits() {
        QFETCH(float, height);
        QFETCH(float, top);
        QFETCH(int, blueCode);
        QFETCH(float, after);
        StartedGame s;
        for (Shape* racquet : {&s.game.Racchetta_Rossa, &s.game.Racchetta_Blu}) {
            racquet->Height = height;
            racquet->Move(racquet->Left, top);
        }
        // The computer's count of the steps it may take agrees with the keys'.
        const int down = blueCode == 90 ? 1 : -1;
        QCOMPARE(s.game.stepsWithinLimits(s.game.Racchetta_Blu, down), after == top ? 0 : down);
        s.game.ControllaTasti(blueCode == 90 ? 40 : 38);
        s.game.ControllaTasti(static_cast<std::int16_t>(blueCode));
        QCOMPARE(s.game.Racchetta_Rossa.Top, after);
        QCOMPARE(s.game.Racchetta_Blu.Top, after);
    }

    // A rally paused and resumed, press by press: P and Pause pause a rally and resume
    // it, Space resumes; a held key's repeat (lower case) does neither; a paused rally
    // takes no other key; a waiting serve has nothing to pause; a new serve ends a pause.
    // The state after: paused, clock, and the racquets' tops and the blue one's column.
    void pause_data() {
        QTest::addColumn<bool>("rally");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("state");
        const char* still = " 2000 2000 1000";
        QTest::newRow("P") << true << "P" << QString("paused off") + still;
        QTest::newRow("Shift+P") << true << "Shift+P" << QString("paused off") + still;
        QTest::newRow("Pause") << true << "Pause" << QString("paused off") + still;
        QTest::newRow("P held") << true << "p" << QString("playing on") + still;
        QTest::newRow("P, waiting serve") << false << "P Pause" << QString("playing off") + still;
        QTest::newRow("keys paused") << true << "P Up A X 8 Left" << QString("paused off") + still;
        QTest::newRow("P P") << true << "P P" << QString("playing on") + still;
        QTest::newRow("P Pause") << true << "P Pause" << QString("playing on") + still;
        QTest::newRow("P Space") << true << "P Space" << QString("playing on") + still;
        QTest::newRow("P Space held") << true << "P space" << QString("paused off") + still;
        QTest::newRow("P Space Up") << true << "P Space Up"
                                    << "playing on 2000 1750 1000";
        QTest::newRow("P, a new serve") << true << "P serve" << QString("playing off") + still;
    }

    void pause() {
        QFETCH(bool, rally);
        QFETCH(QString, presses);
        QFETCH(QString, state);
        FakePlatform host;
        GameCore g(host);
        g.Racchetta_Rossa.Move(6000, 2000);
        g.Racchetta_Blu.Move(1000, 2000);
        g.Pallina.Move(3000, 2500);
        g.PassoX = 200;
        g.PassoY = -37;
        host.clock = rally;
        const std::map<QString, KeyPress> keys = {
            {"P", {1, keyP, {'p'}}},  {"Shift+P", {1, keyP, {'P'}}}, {"Pause", {2, keyPause, {}}},
            {"Space", {3, 32, {32}}}, {"Up", {4, 38, {}}},           {"A", {5, 65, {'a'}}},
            {"X", {6, 88, {'x'}}},    {"8", {7, 56, {'8'}}},         {"Left", {8, 37, {}}}};
        for (const QString& press : presses.split(' ')) {
            if (press == "serve")
                g.batte();
            else if (press.front().isLower())
                deliverKey(g, keys.at(press.front().toUpper() + press.mid(1)), false, true);
            else
                deliverKey(g, keys.at(press));
        }
        QCOMPARE(QString::asprintf("%s %s %g %g %g", g.paused() ? "paused" : "playing",
                                   host.clock ? "on" : "off", double(g.Racchetta_Blu.Top),
                                   double(g.Racchetta_Rossa.Top), double(g.Racchetta_Blu.Left)),
                 state);
        if (!presses.contains("serve")) // the ball never moved
            QVERIFY(g.Pallina.Left == 3000 && g.Pallina.Top == 2500 && g.PassoX == 200 &&
                    g.PassoY == -37);
    }

    // What of a press at the guest's keyboard crosses to the host: the right player's
    // key-down code and the one character that key types, or nothing at all.
    void whatCrossesToTheHost_data() {
        QTest::addColumn<int>("keyDown");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("crossesDown"); // -1: nothing crosses
        QTest::addColumn<int>("crossesTyped");
        QTest::newRow("Up") << 38 << 0 << 38 << 0;
        QTest::newRow("8 and its digit") << 56 << int('8') << 56 << int('8');
        QTest::newRow("the apostrophe key") << 222 << int('\'') << 222 << int('\'');
        QTest::newRow("Up typing a digit on some layout") << 38 << int('8') << 38 << 0;
        QTest::newRow("keypad 2, Num Lock on") << 0x62 << int('2') << 0 << int('2');
        QTest::newRow("P, its letter no racquet's") << 80 << int('p') << 80 << 0;
        QTest::newRow("the left player's Z") << 90 << int('z') << -1 << 0;
    }

    void whatCrossesToTheHost() {
        QFETCH(int, keyDown);
        QFETCH(int, typed);
        QFETCH(int, crossesDown);
        QFETCH(int, crossesTyped);
        KeyPress press{7, std::uint16_t(keyDown), {}};
        if (typed)
            press.characters.push_back(std::uint8_t(typed));
        const std::optional<SeatKey> key = rightPlayerKey(press);
        QCOMPARE(key.has_value(), crossesDown >= 0);
        if (key)
            QCOMPARE(*key, (SeatKey{std::uint8_t(crossesDown), std::uint8_t(crossesTyped)}));
    }

    // While the computer plays the right racquet, no code of any key reaches it, as a key
    // or as a character, nor re-spins its shot; the left player's codes still act.
    void computerTakesTheRightPlayersCodes() {
        FakePlatform host;
        int leftActs = 0;
        for (int code = 0; code < 256; ++code) {
            for (const bool asCharacter : {false, true}) {
                GameCore g(host);
                g.Racchetta_Rossa.Move(6000, 2000);
                g.Racchetta_Blu.Move(1000, 2000);
                g.PassoX = -200; // the right player's shot: its re-spin would act
                g.PassoY = 7;
                g.RiEffetto = true;
                KeyPress press{1, 0, {}};
                if (asCharacter)
                    press.characters = {std::uint8_t(code)};
                else
                    press.keyDown = std::uint16_t(code);
                deliverKey(g, press, true);
                QVERIFY2(g.Racchetta_Rossa.Left == 6000 && g.Racchetta_Rossa.Top == 2000 &&
                             g.PassoY == 7,
                         qPrintable(QString::number(code)));
                leftActs += g.Racchetta_Blu.Left != 1000 || g.Racchetta_Blu.Top != 2000;
            }
        }
        QCOMPARE(leftActs, 2 * 8); // 60, 65, 88, 90, 97, 119, 122 and 226, keys and characters
    }

    // Held keys (milliseconds): a second press of a held key is none; keys due together
    // repeat in the order pressed; the desktop's first repeat 100 to 3000 ms after the press
    // is its delay, each next one 5 to 1000 ms later its interval; other readings are noise.
    void heldKeys() {
        HeldKeys held(300, 50);
        QVERIFY(held.press({1, 65, {97}}, 1000) && held.press({2, 38, {}}, 1000));
        QVERIFY(!held.press({1, 65, {97}}, 1100));
        const std::vector<KeyPress> due = held.takeDue(1300);
        QVERIFY(due.size() == 2 && due[0].id == 1 && due[1].id == 2);
        held.desktopRepeat(2, 1100);
        held.desktopRepeat(2, 1105);
        held.desktopRepeat(1, 1099); // 99 ms: too soon for a delay
        held.desktopRepeat(1, 2100); // 1001 ms: too long for an interval
        QCOMPARE(QPoint(held.delay(), held.interval()), QPoint(100, 5));
        QVERIFY(held.press({3, 40, {}}, 5000) && held.press({4, 37, {}}, 5000));
        held.desktopRepeat(3, 8001); // 3001 ms: too long for a delay
        QCOMPARE(held.delay(), 100);
        held.desktopRepeat(4, 8000); // 3000 ms: the longest a desktop is set to
        QCOMPARE(held.delay(), 3000);
        // The rate is the mean since the first repeat: one handled late, then one on time,
        // leave it where the desktop has it.
        for (const int at : {8040, 8095, 8120})
            held.desktopRepeat(4, at);
        QCOMPARE(held.interval(), 40);
        held.desktopRepeat(4, 8162); // 40.5 a repeat: halves round up
        QCOMPARE(held.interval(), 41);
        QVERIFY(held.press({5, 39, {}}, 9000));
        held.desktopRepeat(5, 9500);
        held.desktopRepeat(5, 10500); // 1000 ms: the slowest a desktop repeats
        QCOMPARE(held.interval(), 1000);
        // A late look drops the repeats it missed: the next falls due an interval on.
        held.releaseAll();
        QVERIFY(held.press({6, 40, {}}, 20000));
        QCOMPARE(int(held.takeDue(23000).size()), 1);
        QCOMPARE(held.nextDue(), std::optional<std::int64_t>(23000 + 1000));
        held.setTiming(0, -5); // nonsense is at least a millisecond
        QCOMPARE(QPoint(held.delay(), held.interval()), QPoint(1, 1));
    }

    // The tick that ends a match waits in its message box with the clock still on: no
    // pause can start there.
    void noPauseInsideTheMatchEndBox() {
        StartedGame s;
        GameCore& g = s.game;
        g.lblPuntoBlu.Caption = "40"s;
        g.lblSet_Sin[0].Caption = "5"s;
        g.Pallina.Move(fakeOuterWidth - 100, 2000);
        g.PassoX = 200;
        g.PassoY = 0;
        s.host.clock = true;
        bool boxOpen = false;
        s.host.whileMessageOpen = [&] {
            boxOpen = true;
            g.pauseRally();
            QVERIFY(!g.paused() && s.host.clock);
        };
        g.Timer1_Timer();
        QVERIFY(boxOpen && !g.paused());
    }
};

QTEST_APPLESS_MAIN(KeyboardTest)
#include "test_keyboard.moc"
