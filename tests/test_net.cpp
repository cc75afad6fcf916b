// Two games over a network: the messages and their checks, a whole match through the
// session against the same keys at one keyboard, delay and jitter, and every way a
// session ends.
#include "NetPair.h"
#include "Rows.h"

#include "net/CommandLine.h"
#include "net/Messages.h"
#include "net/NetMenu.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace quindra;
using namespace quindra::net;
using namespace quindra::testing;

Q_DECLARE_METATYPE(quindra::net::Message)
Q_DECLARE_METATYPE(std::vector<std::uint8_t>)
Q_DECLARE_METATYPE(std::vector<quindra::net::Key>)

namespace {

// A board at the edges of what the rules reach: the first set went to 123-121, the
// longest count the board takes; the second stands at 6-6, the game at advantage; the
// steepest step, the red racquet at its highest.
Board someBoard() {
    StartedGame g;
    g.game.mnuPro_Click();
    g.game.mnuSet_Cinque_Click();
    g.game.mnuRief_Click();
    g.game.lblSet_Sin[0].Caption = "123";
    g.game.lblSet_Dest[0].Caption = "121";
    g.game.lblSet_Sin[1].Caption = "6";
    g.game.lblSet_Dest[1].Caption = "6";
    g.game.SetCorrente = 1;
    g.game.SetVintiBlu = 1;
    g.game.lblPuntoBlu.Caption = "V";
    g.game.lblPuntoRosso.Caption = "40";
    g.game.PassoY = -300;
    g.game.Racchetta_Rossa.Top = -199;
    g.game.Racchetta_Blu.Left = 2080;
    return Board::of(g.game, g.host);
}

std::vector<std::uint8_t> frame(std::vector<std::uint8_t> body) {
    // The length first: two bytes, the low one first.
    body.insert(body.begin(), static_cast<std::uint8_t>(body.size() >> 8));
    body.insert(body.begin(), static_cast<std::uint8_t>((body.size() - 1) & 0xff));
    return body;
}

// A frame with one byte of its body changed.
std::vector<std::uint8_t> changed(const Message& m, std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> f = encode(m);
    f[2 + at] = value;
    return f;
}

// A key of either player going down or up.
struct KeyEvent {
    std::int64_t at;
    bool down;
    bool guest;
    KeyPress press;
};

// Both players pressing their own racquet's keys at random, the serve among them, each
// held a while: every key's down and up, in time order.
std::vector<KeyEvent> randomPlay(unsigned seed, std::int64_t length) {
    std::mt19937 random(seed);
    const std::vector<KeyPress> left = {pressOf(0, 65, {97}), pressOf(0, 90, {122}),
                                        pressOf(0, 88, {120}), pressOf(0, 226),
                                        pressOf(0, 32, {32})};
    const std::vector<KeyPress> right = {pressOf(0, 38), pressOf(0, 40), pressOf(0, 37),
                                         pressOf(0, 39), pressOf(0, 32, {32})};
    std::vector<KeyEvent> events;
    std::int64_t t = 200;
    std::uint32_t id = 1;
    while (t < length) {
        t += std::uniform_int_distribution<int>(40, 400)(random);
        const bool guest = random() % 2 == 1;
        const auto& table = guest ? right : left;
        KeyPress p = table[random() % table.size()];
        p.id = id++;
        const int held = std::uniform_int_distribution<int>(20, 900)(random);
        events.push_back({t, true, guest, p});
        events.push_back({t + held, false, guest, p});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const KeyEvent& a, const KeyEvent& b) { return a.at < b.at; });
    return events;
}

// The boards of a game, one each time it changed.
using BoardLog = std::vector<Board>;
void note(BoardLog& log, const GameCore& game, const Platform& platform) {
    Board b = Board::of(game, platform);
    b.flags &= ~Board::rally; // a guest's clock never runs
    if (log.empty() || !(log.back() == b))
        log.push_back(b);
}

// The match over the network until its end: the host's boards, and when each of the
// guest's keys reached the host.
BoardLog playOverTheNetwork(NetPair& net, const std::vector<KeyEvent>& events,
                            std::vector<KeyEvent>* arrivals) {
    BoardLog log;
    net.hostHears = [&](std::int64_t at, std::span<const std::uint8_t> bytes) {
        Decoder d;
        d.feed(bytes);
        for (auto r = d.next(); r.status == Decoder::Status::Ready; r = d.next())
            if (const auto* k = std::get_if<Key>(&r.message); k && arrivals)
                arrivals->push_back(
                    {at, k->down, true, pressOf(SeatKey{k->keyDown, k->character})});
    };
    std::size_t next = 0;
    while (net.host.platform.messages.empty() && net.now < 3600000) {
        for (; next < events.size() && events[next].at == net.now; ++next) {
            const KeyEvent& e = events[next];
            if (e.guest && e.down)
                net.guest.session->keyDown(e.press, false);
            else if (e.guest)
                net.guest.session->keyUp(e.press.id);
            else if (e.down)
                net.host.players.keyDown(e.press, false, net.now);
            else
                net.host.players.keyUp(e.press.id);
        }
        net.step();
        note(log, net.host.game, net.host.platform);
    }
    return log;
}

// The same keys at one keyboard, the host's first and then the guest's in each
// millisecond, as the host takes them.
BoardLog playAtOneKeyboard(const std::vector<KeyEvent>& hostKeys,
                           const std::vector<KeyEvent>& guestKeys, std::vector<std::string>& box) {
    StartedGame g;
    Players players{g.game, g.host};
    g.game.mnuNuovaPartita_Click();
    BoardLog log;
    std::size_t h = 0, k = 0;
    std::int64_t nextTick = 0;
    bool ticking = false;
    for (std::int64_t now = 0; now < 3600000 && g.host.messages.empty(); ++now) {
        for (const auto* keys : {&hostKeys, &guestKeys}) {
            std::size_t& i = keys == &hostKeys ? h : k;
            for (; i < keys->size() && (*keys)[i].at == now; ++i) {
                const KeyEvent& e = (*keys)[i];
                const std::uint32_t id = e.guest ? Players::guestKeyId(e.press.id) : e.press.id;
                KeyPress p = e.press;
                p.id = id;
                if (e.down)
                    players.keyDown(p, false, now);
                else
                    players.keyUp(id);
            }
        }
        players.repeatHeldKeys(now);
        if (!g.host.clock) {
            ticking = false;
        } else {
            if (!ticking) {
                ticking = true;
                nextTick = now + g.host.interval;
            }
            if (now >= nextTick) {
                nextTick += g.host.interval;
                g.game.Timer1_Timer();
            }
        }
        note(log, g.game, g.host);
    }
    box = g.host.messages;
    return log;
}

std::vector<KeyEvent> only(const std::vector<KeyEvent>& events, bool guest) {
    std::vector<KeyEvent> kept;
    std::copy_if(events.begin(), events.end(), std::back_inserter(kept),
                 [guest](const KeyEvent& e) { return e.guest == guest; });
    return kept;
}

// Boards no game of the host's could have: one value changed at a time.
const std::pair<const char*, void (*)(Board&)> unreachable[] = {
    {"ball at NaN", [](Board& x) { x.ball.left = std::numeric_limits<float>::quiet_NaN(); }},
    {"ball at infinity", [](Board& x) { x.ball.top = std::numeric_limits<float>::infinity(); }},
    {"ball twice as big", [](Board& x) { x.ball.width = x.ball.height = 264; }},
    {"ball far off", [](Board& x) { x.ball.left = 100000; }},
    {"racquet 20000 wide", [](Board& x) { x.red.width = 20000; }},
    {"racquet off its column", [](Board& x) { x.red.left = 6000; }},
    {"racquets unlike", [](Board& x) { x.blue.height = 450; }},
    {"racquet of 600", [](Board& x) { x.blue.height = x.red.height = 600; }},
    {"racquet half a twip", [](Board& x) { x.blue.top += 0.5f; }},
    {"racquet above its top", [](Board& x) { x.red.top = -200; }},
    {"racquet below the window", [](Board& x) { x.red.top = 100000; }},
    {"step 0 across", [](Board& x) { x.stepX = 0; }},
    {"step 301 down", [](Board& x) { x.stepY = 301; }},
    {"training wall", [](Board& x) { x.flags |= Board::training; }},
    {"computer", [](Board& x) { x.flags |= Board::checkComputer; }},
    {"level unchecked", [](Board& x) { x.flags &= ~Board::checkPro; }},
    {"two levels checked", [](Board& x) { x.flags |= Board::checkPri; }},
    {"two sets", [](Board& x) { x.sets = 2; }},
    {"sets unchecked", [](Board& x) { x.flags &= ~Board::checkSetCinque; }},
    {"re-spin unmarked", [](Board& x) { x.flags &= ~Board::checkRief; }},
    {"paused and running", [](Board& x) { x.flags |= Board::paused | Board::rally; }},
    {"server 2", [](Board& x) { x.server = 2; }},
    {"angle 1201", [](Board& x) { x.shotAngle = 1201; }},
    {"unknown flag", [](Board& x) { x.flags |= 1 << 15; }},
    {"points ZZZ", [](Board& x) { x.captions[0] = "ZZZ"; }},
    {"points V against 30", [](Board& x) { x.captions[1] = "30"; }},
    {"points 2V and V", [](Board& x) { x.captions[1] = "2V"; }},
    {"games 07", [](Board& x) { x.captions[3] = "07"; }},
    {"games -1", [](Board& x) { x.captions[3] = "-1"; }},
    {"games 1000", [](Board& x) { x.captions[3] = "1000"; }},
    {"a set won 6-5", [](Board& x) { x.captions[2] = "6", x.captions[7] = "5"; }},
    {"a set at 7-4", [](Board& x) { x.captions[2] = "7", x.captions[7] = "4"; }},
    {"a set after the current played", [](Board& x) { x.captions[4] = "1"; }},
    {"sets won not counted", [](Board& x) { x.setsWonBlue = 0, x.setsWonRed = 1; }},
    {"the current set won", [](Board& x) { x.captions[3] = "8"; }},
    {"four sets won", [](Board& x) { x.setsWonBlue = 4, x.currentSet = 4; }},
    {"angle 499", [](Board& x) { x.shotAngle = 499; }},
};

} // namespace

class TestNet : public QObject {
    Q_OBJECT

  private slots:
    void messagesRoundTrip_data() {
        QTest::addColumn<Message>("message");
        QTest::newRow("hello") << Message{Hello{protocolVersion, Role::Guest}};
        QTest::newRow("key down") << Message{Key{true, 255, 255}};
        QTest::newRow("key up") << Message{Key{false, 38, 0}};
        QTest::newRow("away") << Message{Away{}};
        QTest::newRow("board") << Message{someBoard()};
        QTest::newRow("match end") << Message{MatchEnd{1}};
        QTest::newRow("seen") << Message{Seen{0xffffffff}};
        QTest::newRow("ping") << Message{Ping{0xffffffff}};
        QTest::newRow("pong") << Message{Pong{3}};
        QTest::newRow("bye") << Message{Bye{Bye::Reason::Silence}};
        QTest::newRow("heard") << Message{Heard{0xff}};
    }
    void messagesRoundTrip() {
        QFETCH(Message, message);
        const std::vector<std::uint8_t> bytes = encode(message);
        QVERIFY(bytes.size() <= 2 + longestFrame);
        // Whole, and a byte at a time as a slow link may give it.
        Decoder whole;
        whole.feed(bytes);
        Decoder::Result r = whole.next();
        QCOMPARE(int(r.status), int(Decoder::Status::Ready));
        QVERIFY(r.message == message);
        QCOMPARE(int(whole.next().status), int(Decoder::Status::NeedMore));
        Decoder trickle;
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
            trickle.feed(std::span(bytes).subspan(i, 1));
            QCOMPARE(int(trickle.next().status), int(Decoder::Status::NeedMore));
        }
        trickle.feed(std::span(bytes).last(1));
        r = trickle.next();
        QCOMPARE(int(r.status), int(Decoder::Status::Ready));
        QVERIFY(r.message == message);
        // One whole and half of the next, then the rest: the half waits for it.
        std::vector<std::uint8_t> two = bytes;
        two.insert(two.end(), bytes.begin(), bytes.end());
        const std::size_t cut = bytes.size() + bytes.size() / 2;
        Decoder halves;
        halves.feed(std::span(two).first(cut));
        QVERIFY(halves.next().message == message);
        QCOMPARE(int(halves.next().status), int(Decoder::Status::NeedMore));
        halves.feed(std::span(two).subspan(cut));
        r = halves.next();
        QCOMPARE(int(r.status), int(Decoder::Status::Ready));
        QVERIFY(r.message == message);
    }

    void badFramesAreRefused_data() {
        QTest::addColumn<std::vector<std::uint8_t>>("bytes");
        QTest::newRow("empty frame") << std::vector<std::uint8_t>{0, 0};
        QTest::newRow("longer than any") << std::vector<std::uint8_t>{1, 2, 1};
        QTest::newRow("unknown kind") << frame({10});
        QTest::newRow("kind zero") << frame({0});
        QTest::newRow("not a hello") << changed(Hello{}, 1, 'X');
        QTest::newRow("hello, unknown role") << changed(Hello{}, 7, 2);
        QTest::newRow("hello cut short") << frame({1, 'Q', 'N', 'D', 'R', 2});
        QTest::newRow("key cut short") << frame({2, 1, 38});
        QTest::newRow("key neither down nor up") << frame({2, 2, 38, 0});
        QTest::newRow("key, a byte too many") << frame({2, 1, 38, 0, 0});
        QTest::newRow("away with a byte") << frame({3, 0});
        QTest::newRow("board cut short") << std::vector<std::uint8_t>{[] {
            auto f = encode(someBoard());
            f.pop_back();
            f[0] = static_cast<std::uint8_t>(f.size() - 2);
            return f;
        }()};
        QTest::newRow("board not reachable") << encode([] {
            Board b = someBoard();
            b.flags |= Board::checkComputer;
            return b;
        }());
        QTest::newRow("match end, a third player") << frame({5, 2});
        QTest::newRow("seen cut short") << frame({6, 1, 2});
        QTest::newRow("ping cut short") << frame({7, 1, 2});
        QTest::newRow("bye, unknown reason") << frame({9, 6});
    }
    void badFramesAreRefused() {
        QFETCH(std::vector<std::uint8_t>, bytes);
        Decoder d;
        d.feed(bytes);
        const Decoder::Result r = d.next();
        QCOMPARE(int(r.status), int(Decoder::Status::Bad));
        QVERIFY(!r.fault.empty());
        // Once refused, nothing more is read from that stream.
        d.feed(encode(Ping{1}));
        QCOMPARE(int(d.next().status), int(Decoder::Status::Bad));
    }

    // A board only as the host's game could have it; one changed value at a time.
    void boardsTheRulesCannotReachAreRefused_data() {
        QTest::addColumn<int>("change");
        for (int i = 0; i < int(std::size(unreachable)); ++i)
            QTest::newRow(unreachable[i].first) << i;
    }
    void boardsTheRulesCannotReachAreRefused() {
        QFETCH(int, change);
        Board b = someBoard();
        b.shotAngle = 500; // the shallowest angle
        QVERIFY(b.reachable());
        b.shotAngle = 1200; // and the steepest
        QVERIFY(b.reachable());
        unreachable[change].second(b);
        QVERIFY(!b.reachable());
        WireWriter out;
        b.write(out);
        WireReader in(out.bytes());
        QVERIFY(!Board::read(in));
    }

    void boardComesAcrossWhole() {
        NetPair net;
        net.runFor(5);
        // Nothing set on the host is nothing on the guest.
        QVERIFY(!net.guest.game.RiEffetto && !net.guest.game.menu.mnuRief);
        QVERIFY(!net.guest.game.paused() && !net.guest.game.Allenamento);
        net.host.game.mnuPro_Click();
        net.host.game.mnuSet_Cinque_Click();
        net.host.game.mnuPiccole_Click();
        net.host.game.mnuRief_Click();
        net.runFor(5);
        QCOMPARE(net.guest.starts, 1);
        QCOMPARE(net.host.starts, 1);
        QVERIFY(net.guest.game.menu.mnuPro && net.guest.game.menu.mnuSet_Cinque);
        QVERIFY(net.guest.game.menu.mnuPiccole && net.guest.game.menu.mnuRief);
        QCOMPARE(net.guest.platform.interval, 40);
        QVERIFY(Board::of(net.guest.game, net.guest.platform) ==
                Board::of(net.host.game, net.host.platform));
        // Colours and surfaces stay each player's own.
        net.guest.game.mnuRoland_Click();
        net.host.game.mnuOpUsa_Click();
        net.host.game.Racchetta_Blu.BackColor = 0x123456;
        net.runFor(5);
        QVERIFY(net.guest.game.menu.mnuRoland && !net.guest.game.menu.mnuOpUsa);
        QVERIFY(net.guest.game.Racchetta_Blu.BackColor != 0x123456);
        QVERIFY(!net.guest.platform.clock);
    }

    void aWholeMatchIsTheSameAsAtOneKeyboard_data() {
        QTest::addColumn<int>("roundTrip");
        QTest::addColumn<int>("jitter");
        QTest::newRow("0 ms") << 0 << 0;
        QTest::newRow("50 ms, jitter 20") << 50 << 20;
        QTest::newRow("150 ms, jitter 60") << 150 << 60;
    }
    void aWholeMatchIsTheSameAsAtOneKeyboard() {
        QFETCH(int, roundTrip);
        QFETCH(int, jitter);
        const std::vector<KeyEvent> events = randomPlay(2024, 3600000);
        NetPair net(roundTrip, jitter);
        std::vector<KeyEvent> arrivals;
        const BoardLog hostLog = playOverTheNetwork(net, events, &arrivals);
        QCOMPARE(net.host.platform.messages.size(), std::size_t(1)); // the match's end

        // The rules on the host give what they give to the same keys, at the times the
        // host had them, played at one keyboard: the delay moves keys, never the rules.
        std::vector<std::string> box;
        const BoardLog localLog = playAtOneKeyboard(only(events, false), arrivals, box);
        QCOMPARE(box, net.host.platform.messages);
        QCOMPARE(localLog.size(), hostLog.size());
        QVERIFY(localLog == hostLog);
        if (roundTrip > 0)
            QVERIFY(!(arrivals.front().at == only(events, true).front().at));

        // What the guest finally shows is the host's board, and the host's box; it heard
        // every sound the host's players heard, in order.
        net.runFor(roundTrip + jitter + 1);
        QCOMPARE(net.guest.boxes, net.host.platform.messages);
        QVERIFY(net.host.platform.sounds.size() > 500);
        QVERIFY(net.guest.platform.sounds == net.host.platform.sounds);
        Board shown = Board::of(net.guest.game, net.guest.platform);
        Board hosts = Board::of(net.host.game, net.host.platform);
        shown.flags &= ~Board::rally;
        hosts.flags &= ~Board::rally;
        QVERIFY(shown == hosts);
        QVERIFY(net.host.ends.empty() && net.guest.ends.empty());
        QVERIFY(!net.host.roundTrips.empty() && !net.guest.roundTrips.empty());
        for (const int rtt : net.guest.roundTrips)
            QVERIFY2(rtt >= roundTrip && rtt <= roundTrip + 2 * jitter + 2,
                     qPrintable(QString::number(rtt)));
    }

    void aGuestKeyHeldRepeatsAtTheHost() {
        NetPair net;
        net.runFor(5);
        const float top = net.host.game.Racchetta_Rossa.Top;
        net.guest.session->keyDown(pressOf(1, 38), false);
        net.guest.session->keyDown(pressOf(1, 38), true); // the desktop's repeats stay home
        net.runFor(HeldKeys::defaultDelay + 5);
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, top - 500);
        net.guest.session->keyUp(1);
        net.runFor(500);
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, top - 500);
        QCOMPARE(net.guest.game.Racchetta_Rossa.Top, top - 500);
        // The guest's window loses the keyboard: every key it held is let go at the host.
        net.guest.session->keyDown(pressOf(2, 40), false);
        net.runFor(5);
        net.guest.session->releaseKeys();
        net.runFor(1000);
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, top - 250);
        // The guest runs no rules: a box it might open goes nowhere.
        net.guest.session->boxOpening();
        net.runFor(5);
        QVERIFY(net.host.ends.empty());
    }

    // Keys straight onto the link, as a hostile guest may send them: each press moves the
    // right racquet no more than that key does at a keyboard, and any key no keyboard of
    // the right player's gives ends the link.
    void aGuestKeyDoesOnlyWhatAKeyDoes_data() {
        QTest::addColumn<std::vector<Key>>("keys");
        QTest::addColumn<int>("steps"); // down, in racquet steps, at the host
        QTest::addColumn<bool>("ends");
        const auto down = [](std::uint8_t code, std::uint8_t c = 0) { return Key{true, code, c}; };
        const auto up = [](std::uint8_t code, std::uint8_t c = 0) { return Key{false, code, c}; };
        using Keys = std::vector<Key>;
        addRow("down arrow", Keys{down(40)}, 1, false);
        addRow("2 and its digit", Keys{down(50, '2')}, 2, false);
        addRow("keypad 2, Num Lock on", Keys{down(0, '2')}, 1, false);
        addRow("2 pressed again while held", Keys{down(50, '2'), down(50, '2'), down(50)}, 2,
               false);
        addRow("2 let go, pressed again", Keys{down(50, '2'), up(50, '2'), down(50, '2')}, 4,
               false);
        addRow("every down key a person can hold",
               Keys{down(40), down(50, '2'), down(0, '2'), down(189), down(0, '(')}, 6, false);
        addRow("a key let go that was never held", Keys{up(40)}, 0, false);
        addRow("Space and its blank", Keys{down(32, ' ')}, 0, false);
        addRow("no code, typing ')'", Keys{down(0, ')')}, 0, true);
        addRow("2 typing 8", Keys{down(50, '8')}, 0, true);
        addRow("down arrow typing a digit", Keys{down(40, '2')}, 0, true);
        addRow("down arrow typing a control code", Keys{down(40, 1)}, 0, true);
        addRow("the left player's Z", Keys{down(90, 'z')}, 0, true);
        addRow("a key of no player's", Keys{down(120)}, 0, true);
        addRow("nothing at all", Keys{down(0)}, 0, true);
        std::vector<Key> eleven;
        for (const std::uint8_t code : {32, 37, 38, 39, 40, 50, 52, 56, 189, 222})
            eleven.push_back(down(code));
        eleven.push_back(down(0, '8'));
        QTest::newRow("more keys than two hands") << eleven << 0 << true;
    }
    void aGuestKeyDoesOnlyWhatAKeyDoes() {
        QFETCH(std::vector<Key>, keys);
        QFETCH(int, steps);
        QFETCH(bool, ends);
        NetPair net;
        net.runFor(5);
        const float top = net.host.game.Racchetta_Rossa.Top;
        for (const Key& key : keys)
            net.guestLink.send(encode(key));
        net.runFor(5); // sooner than any repeat
        QCOMPARE(net.host.ends.size(), std::size_t(ends ? 1 : 0));
        if (ends) {
            QVERIFY(net.host.ends[0].find("giocatore di destra") != std::string::npos);
            return;
        }
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, top + 250.0f * float(steps));
        QVERIFY(net.host.players.heldKeys().size() <= Session::mostGuestKeys);
    }

    // Each player moves only their racquet: the guest sends only the right player's keys,
    // each once however many keys give the same codes; the host's reach only the left one.
    void eachPlayerMovesOnlyTheirRacquet() {
        NetPair net;
        std::vector<Key> sent;
        net.hostHears = [&sent](std::int64_t, std::span<const std::uint8_t> bytes) {
            Decoder d;
            d.feed(bytes);
            for (auto r = d.next(); r.status == Decoder::Status::Ready; r = d.next())
                if (const auto* k = std::get_if<Key>(&r.message))
                    sent.push_back(*k);
        };
        net.runFor(5);
        net.guest.session->keyDown(pressOf(1, 40), false);        // the down arrow
        net.guest.session->keyDown(pressOf(2, 40), false);        // keypad 2, Num Lock off
        net.guest.session->keyDown(pressOf(3, 50, {'@'}), false); // shifted 2: its code only
        net.guest.session->keyDown(pressOf(4, 65, {'a'}), false); // the left player's
        net.guest.session->keyUp(2);
        net.guest.session->keyUp(1);
        net.guest.session->keyUp(3);
        net.runFor(5);
        const std::vector<Key> expected = {Key{true, 40, 0}, Key{true, 50, 0}, Key{false, 40, 0},
                                           Key{false, 50, 0}};
        QVERIFY(sent == expected);
        const Board before = Board::of(net.host.game, net.host.platform);
        net.host.players.keyDown(pressOf(5, 38, {}), false, net.now);
        net.host.players.keyDown(pressOf(6, 57, {40}), false, net.now); // "(" types 40
        net.host.players.keyDown(pressOf(7, 90, {122}), false, net.now);
        net.runFor(5);
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, before.red.top);
        QCOMPARE(net.host.game.Racchetta_Blu.Top, before.blue.top + 500); // z and its "z"
        QCOMPARE(net.guest.game.Racchetta_Blu.Top, before.blue.top + 500);
    }

    void eitherPlayersPausePausesBoth_data() {
        QTest::addColumn<bool>("byGuest");
        QTest::addColumn<bool>("away");
        QTest::newRow("host's P") << false << false;
        QTest::newRow("guest's P") << true << false;
        QTest::newRow("guest's window minimised") << true << true;
    }
    void eitherPlayersPausePausesBoth() {
        QFETCH(bool, byGuest);
        QFETCH(bool, away);
        NetPair net;
        net.runFor(5);
        net.guest.session->keyDown(pressOf(1, 32, {32}), false); // the serve
        net.guest.session->keyUp(1);
        net.runFor(300);
        QVERIFY(net.host.platform.clock);
        if (away)
            net.guest.session->away();
        else if (byGuest)
            net.guest.session->keyDown(pressOf(2, keyP, {112}), false);
        else
            net.host.players.keyDown(pressOf(2, keyP, {112}), false, net.now);
        net.runFor(5);
        QVERIFY(net.host.game.paused() && !net.host.platform.clock);
        QVERIFY(net.guest.game.paused());
        const float ball = net.guest.game.Pallina.Left;
        net.runFor(600);
        QCOMPARE(net.guest.game.Pallina.Left, ball);
        // The other player's Space goes on.
        if (byGuest) {
            net.guest.session->keyUp(2);
            net.host.players.keyDown(pressOf(3, 32, {32}), false, net.now);
        } else {
            net.guest.session->keyDown(pressOf(3, 32, {32}), false);
        }
        net.runFor(300);
        QVERIFY(!net.host.game.paused() && !net.guest.game.paused());
        QVERIFY(net.guest.game.Pallina.Left != ball);
    }

    // Every way a session ends: both sides say why, and each goes on alone, paused.
    void sessionsEnd_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("hostSays");
        QTest::addColumn<QString>("guestSays");
        QTest::addColumn<int>("after"); // ms from the cause to both ends, at most
        // The link takes 20 ms each way.
        const struct {
            const char *name, *how, *hostSays, *guestSays;
            int after;
        } rows[] = {
            {"guest quits", "quit", "ha chiuso la partita", "", 21},
            {"guest's program gone", "close", "si è interrotta", "", 21},
            {"cable pulled", "cut", "da 5 secondi", "da 5 secondi", 5000},
            {"bad message", "bad", "spetta a chi ospita", "messaggio non valido", 41},
            {"sounds from the guest", "heard", "spetta a chi ospita", "messaggio non valido", 41},
            {"garbage", "garbage", "non valido (messaggio di", "messaggio non valido", 41},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.how) << QString::fromUtf8(r.hostSays)
                                  << QString::fromUtf8(r.guestSays) << r.after;
    }
    void sessionsEnd() {
        QFETCH(QString, how);
        QFETCH(QString, hostSays);
        QFETCH(QString, guestSays);
        QFETCH(int, after);
        NetPair net(40);
        net.runFor(2500);
        net.guest.session->keyDown(pressOf(1, 38), false); // held at the end
        net.guest.session->keyDown(pressOf(2, 32, {32}), false);
        net.runFor(200);
        QVERIFY(net.host.platform.clock);
        QVERIFY(!net.host.roundTrips.empty());
        QCOMPARE(net::windowTitle(net.host.session.get()),
                 "Quindra Game - in rete, " + std::to_string(net.host.roundTrips.back()) + " ms");
        if (how == "quit") {
            net.guest.session->quit();
        } else if (how == "close") {
            net.guestLink.close();
        } else if (how == "cut") {
            net.toHost.cut = net.toGuest.cut = true;
        } else if (how == "bad" || how == "heard") {
            net.guestLink.send(how == "bad" ? encode(someBoard()) : encode(Heard{1}));
        } else {
            const std::vector<std::uint8_t> junk = {0xff, 0xff, 1, 2, 3};
            net.guestLink.send(junk);
        }
        // Nothing ends before it must: each side heard the other within the last second
        // (a ping), and waits five seconds from then.
        if (how == "cut") {
            // The host's rally stops when the guest has confirmed nothing for a second.
            net.runFor(Session::unconfirmedLimit + 300);
            QVERIFY(net.host.game.paused() && !net.host.platform.clock);
            QCOMPARE(net.host.hostChanges, 1);
            net.runFor(after - 1000 - Session::unconfirmedLimit - 300);
            QVERIFY(net.host.ends.empty() && net.guest.ends.empty());
            net.runFor(1000);
        } else {
            net.runFor(after);
        }
        QCOMPARE(net.host.ends.size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(net.host.ends[0]).contains(hostSays),
                 net.host.ends[0].c_str());
        QVERIFY(QString::fromStdString(net.host.ends[0]).endsWith("continua su questo computer."));
        if (how != "close") {
            QCOMPARE(net.guest.ends.size(), std::size_t(1));
            QVERIFY2(QString::fromStdString(net.guest.ends[0]).contains(guestSays),
                     net.guest.ends[0].c_str());
        }
        QVERIFY(net.host.session->state() == Session::State::Ended);
        // One match on both: the last board both had (a pulled cable's, below).
        if (how != "close" && how != "cut") {
            Board hosts = Board::of(net.host.game, net.host.platform);
            Board guests = Board::of(net.guest.game, net.guest.platform);
            hosts.flags &= ~(Board::rally | Board::paused);
            guests.flags &= ~(Board::rally | Board::paused);
            QVERIFY(hosts == guests);
        }
        QCOMPARE(net::windowTitle(net.host.session.get()), std::string("Quindra Game"));
        // Alone: the rally waits, paused, on both; the host's keys reach both racquets.
        QVERIFY(net.host.game.paused() && !net.host.platform.clock);
        QVERIFY(net.host.players.heldKeys().empty());
        QCOMPARE(net.host.players.localSeat(), Seat::Both);
        if (how != "close") {
            QVERIFY(net.guest.game.paused());
            const float ball = net.guest.game.Pallina.Left;
            net.guest.players.keyDown(pressOf(9, 32, {32}), false, net.now);
            net.runFor(300);
            QVERIFY(net.guest.platform.clock);
            QVERIFY(net.guest.game.Pallina.Left != ball);
        }
        const float red = net.host.game.Racchetta_Rossa.Top;
        net.host.players.keyDown(pressOf(8, 32, {32}), false, net.now);
        net.host.players.keyDown(pressOf(10, 40), false, net.now);
        QCOMPARE(net.host.game.Racchetta_Rossa.Top, red + 250);
        // Nothing more comes of either session.
        net.guest.session->keyDown(pressOf(7, 38), false);
        net.runFor(6000);
        QCOMPARE(net.host.ends.size(), std::size_t(1));
    }

    void aPulledCableLeavesOneScore() {
        // Pulled at every moment of a tick at the slowest level: the score is one, and the
        // ball at most the one tick apart that was on its way when the cable went.
        for (int at = 0; at < 100; at += 3) {
            NetPair net(40);
            net.runFor(2500);
            net.guest.session->keyDown(pressOf(1, 32, {32}), false);
            net.runFor(200 + at);
            net.toHost.cut = net.toGuest.cut = true;
            net.runFor(Session::silenceLimit + 1000);
            QCOMPARE(net.host.ends.size(), std::size_t(1));
            QCOMPARE(net.guest.ends.size(), std::size_t(1));
            const Board hosts = Board::of(net.host.game, net.host.platform);
            const Board guests = Board::of(net.guest.game, net.guest.platform);
            QVERIFY(hosts.captions == guests.captions);
            QVERIFY(hosts.setsWonBlue == guests.setsWonBlue &&
                    hosts.currentSet == guests.currentSet);
            QVERIFY(std::fabs(hosts.ball.left - guests.ball.left) <= 200.0f);
            QVERIFY(net.host.game.paused() && net.guest.game.paused());
        }
    }

    void aWaitingServeStaysUnpausedAlone_data() {
        QTest::addColumn<bool>("cut");
        QTest::newRow("the host quits") << false;
        QTest::newRow("cable pulled, the host's racquet moved since") << true;
    }
    void aWaitingServeStaysUnpausedAlone() {
        QFETCH(bool, cut);
        NetPair net;
        net.runFor(50);
        const float blue = net.host.game.Racchetta_Blu.Top;
        if (cut) {
            net.toHost.cut = net.toGuest.cut = true;
            net.host.players.keyDown(pressOf(1, 90, {122}), false, net.now);
            net.runFor(Session::silenceLimit + 100);
        } else {
            net.host.session->quit();
            net.runFor(5);
        }
        QCOMPARE(net.guest.ends.size(), std::size_t(1));
        QVERIFY(!net.guest.game.paused() && !net.host.game.paused());
        QVERIFY(!net.host.platform.clock);
        QCOMPARE(net.host.game.Racchetta_Blu.Top, blue); // as the guest last saw it
    }

    void differentVersionsRefuseEachOther() {
        NetPair net(20);
        // The guest's greeting, as a later version would send it: it may say more, and
        // its number still comes through.
        net.toHost.inFlight.clear();
        net.toHost.lastAt = 0;
        const std::vector<std::uint8_t> hello = frame({1, 'Q', 'N', 'D', 'R', 4, 0, 1, 42, 42});
        net.guestLink.send(hello);
        net.runFor(50);
        QCOMPARE(net.host.ends.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(net.host.ends[0]).contains("versione di rete 4"));
        QCOMPARE(net.guest.ends.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(net.guest.ends[0]).contains("versione di Quindra che non"));
        QCOMPARE(net.host.starts, 0);
    }

    void twoHostsRefuseEachOther() {
        std::int64_t now = 0;
        Pipe a, b;
        NetSide one, two;
        FakeLink toTwo(a, now), toOne(b, now);
        one.session =
            std::make_unique<Session>(Role::Host, one.game, one.platform, one.players, toTwo, one);
        two.session =
            std::make_unique<Session>(Role::Host, two.game, two.platform, two.players, toOne, two);
        one.session->start(0);
        two.session->start(0);
        NetPair::deliver(a, *two.session, 0);
        NetPair::deliver(b, *one.session, 0);
        QCOMPARE(two.ends.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(two.ends[0]).contains("Anche l'altro computer ospita"));
    }

    void aSilentGuestIsLetGoAtFiveSeconds() {
        // Greeted, then nothing at all: not even the pings' answers.
        NetPair net;
        std::int64_t heard = -1;
        net.hostHears = [&heard](std::int64_t at, std::span<const std::uint8_t>) { heard = at; };
        net.runFor(10);
        net.toHost.cut = true;
        QVERIFY(heard >= 0);
        net.runFor(heard + Session::silenceLimit - net.now);
        QVERIFY(net.host.ends.empty());
        net.runFor(1);
        QCOMPARE(net.host.ends.size(), std::size_t(1));
        QVERIFY(net.toGuest.closed);
    }

    void menusDuringANetworkMatch() {
        const MenuItem play[] = {
            MenuItem::mnuNuovaPartita, MenuItem::mnuPri,     MenuItem::mnuInt,
            MenuItem::mnuPro,          MenuItem::mnuSet_Uno, MenuItem::mnuSet_Tre,
            MenuItem::mnuSet_Cinque,   MenuItem::mnuGrandi,  MenuItem::mnuPiccole,
            MenuItem::mnuRief,         MenuItem::mnuAngolo};
        for (const MenuItem item : play) {
            QVERIFY(menuItemAvailable(item, std::nullopt));
            QVERIFY(menuItemAvailable(item, Role::Host));
            QVERIFY(!menuItemAvailable(item, Role::Guest));
        }
        for (const MenuItem item : {MenuItem::mnuAllenamento, MenuItem::mnuComputer}) {
            QVERIFY(menuItemAvailable(item, std::nullopt));
            QVERIFY(!menuItemAvailable(item, Role::Host));
            QVERIFY(!menuItemAvailable(item, Role::Guest));
        }
        for (const MenuItem item :
             {MenuItem::mnuColPallina, MenuItem::mnuCol_Destra, MenuItem::mnuWimb,
              MenuItem::mnuCampoColore, MenuItem::mnuRete, MenuItem::mnuSommario})
            QVERIFY(menuItemAvailable(item, Role::Guest));
        QCOMPARE(std::string(menuEntryOf(MenuItem::mnuRete).caption),
                 std::string("Gioca in rete..."));
    }

    void aNetworkMatchStartsFresh() {
        // Training and the computer give way to the guest; the score starts again.
        NetPair net(20);
        QCOMPARE(net::windowTitle(net.guest.session.get()), std::string("Quindra Game"));
        net.host.game.mnuAllenamento_Click();
        net.host.game.lblPuntoBlu.Caption = "30";
        net.runFor(40);
        QVERIFY(!net.host.game.Allenamento && !net.host.game.menu.mnuComputer);
        QCOMPARE(net.guest.game.lblPuntoBlu.Caption, std::string("0"));
        QCOMPARE(net.guest.game.Racchetta_Blu.Height, net.host.game.Racchetta_Rossa.Height);
        QCOMPARE(net::windowTitle(net.guest.session.get()),
                 std::string("Quindra Game - in rete, 20 ms"));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        using M = StartUp::Mode;
        const QString longest(253, QLatin1Char('z'));
        const struct {
            const char* name;
            QStringList arguments;
            M mode;
            QString host;
            int port;
        } rows[] = {
            {"none", {}, M::Local, "", 0},
            {"host", {"--host"}, M::Host, "", 47115},
            {"host 5000", {"--host", "5000"}, M::Host, "", 5000},
            {"host 65535", {"--host", "65535"}, M::Host, "", 65535},
            {"host 65536", {"--host", "65536"}, M::Error, "", 0},
            {"host 0", {"--host", "0"}, M::Error, "", 0},
            {"host x", {"--host", "x1"}, M::Error, "", 0},
            {"host -1", {"--host", "-1"}, M::Error, "", 0},
            {"host 047115", {"--host", "047115"}, M::Error, "", 0},
            {"join 253", {"--join", longest}, M::Join, longest, 47115},
            {"join 254", {"--join", longest + "z"}, M::Error, "", 0},
            {"join Z9", {"--join", "Z9.example"}, M::Join, "Z9.example", 47115},
            {"join -rf", {"--join", "-rf"}, M::Error, "", 0},
            {"join name", {"--join", "casa.example"}, M::Join, "casa.example", 47115},
            {"join name:port", {"--join", "10.0.0.2:6000"}, M::Join, "10.0.0.2", 6000},
            {"join [v6]:port", {"--join", "[::1]:6001"}, M::Join, "::1", 6001},
            {"join v6", {"--join", "fe80::1"}, M::Join, "fe80::1", 47115},
            {"join nothing", {"--join"}, M::Error, "", 0},
            {"join :port", {"--join", ":6000"}, M::Error, "", 0},
            {"join bad port", {"--join", "a:99999"}, M::Error, "", 0},
            {"join odd name", {"--join", "a b;rm"}, M::Error, "", 0},
            {"both", {"--host", "--join", "a"}, M::Error, "", 0},
            {"help", {"--join", "a", "--help"}, M::Help, "", 0},
            {"unknown", {"--hots"}, M::Error, "", 0},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.arguments << int(r.mode) << r.host << r.port;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QString, host);
        QFETCH(int, port);
        std::vector<std::string> args;
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        const StartUp s = parseCommandLine(args);
        QCOMPARE(int(s.mode), mode);
        QCOMPARE(QString::fromStdString(s.host), host);
        QCOMPARE(int(s.port), port);
        QCOMPARE(s.error.empty(), mode != int(StartUp::Mode::Error));
    }
};

QTEST_GUILESS_MAIN(TestNet)
#include "test_net.moc"
