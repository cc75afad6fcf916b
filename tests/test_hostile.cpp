// A peer that keeps no rules, seeded: well-formed frames with values over and past every
// bound, junk, floods and silences, thousands of messages against a real session. After
// each, what must hold whatever a peer sends: the game is one the rules can reach, no
// match's end is shown twice for one board, what waits unread stays bounded, and the
// guest's keys move the right racquet no further than the keys it holds could.
#include "NetPair.h"

#include "net/Messages.h"

#include <QtTest>

#include <cmath>

using namespace quindra;
using namespace quindra::net;
using namespace quindra::testing;

namespace {

// The keys a guest's keyboard can give, and some no keyboard gives.
const SeatKey keyboardKeys[] = {{40, 0},  {38, 0},   {37, 0},   {39, 0},  {50, '2'},
                                {50, 0},  {52, '4'}, {56, '8'}, {189, 0}, {222, 39},
                                {0, '2'}, {0, '('},  {32, ' '}, {80, 0},  {19, 0}};

std::uint32_t word(std::mt19937& random) {
    return static_cast<std::uint32_t>(random());
}

std::uint8_t byte(std::mt19937& random) {
    return static_cast<std::uint8_t>(random() & 0xff);
}

int chance(std::mt19937& random) {
    return static_cast<int>(random() % 1000);
}

// One value of a board set anywhere, as a host's bytes may say.
Board mutated(Board b, std::mt19937& random) {
    const float wild[] = {-1e6f, -201.0f, -200.0f, 0.5f, 131.0f, 899.0f, 1e6f, NAN, INFINITY};
    const float w = wild[random() % std::size(wild)];
    switch (random() % 12) {
    case 0:
        b.red.left = w;
        break;
    case 1:
        b.blue.top = w;
        break;
    case 2:
        b.red.height = w;
        break;
    case 3:
        b.ball.width = w;
        break;
    case 4:
        b.stepY = static_cast<std::int32_t>(random() % 2000) - 1000;
        break;
    case 5:
        b.flags = static_cast<std::uint16_t>(random());
        break;
    case 6:
        b.captions[random() % 12] =
            std::string(1 + random() % 3, static_cast<char>('0' + random() % 43));
        break;
    case 7:
        b.setsWonRed = byte(random) % 6;
        break;
    case 8:
        b.currentSet = byte(random) % 7;
        break;
    case 9:
        b.interval = static_cast<std::uint16_t>(random() % 120);
        break;
    case 10:
        b.shotAngle = static_cast<std::int16_t>(random());
        break;
    default:
        b.ball.left = w;
        break;
    }
    return b;
}

// The host's own match, played at random by both players with every option of the menus
// changing: where a hostile host's boards come from when they are true.
struct TrueHost {
    StartedGame g;
    Players players{g.game, g.host};
    std::int64_t now = 0;

    void playFor(std::mt19937& random, int ms) {
        for (int i = 0; i < ms; ++i, ++now) {
            if (chance(random) < 20) {
                const std::uint16_t codes[] = {32, 40, 38, 39, 37, 65, 90, 88, 226, 52, 83};
                KeyPress p;
                p.id = static_cast<std::uint32_t>(random() % 6);
                p.keyDown = codes[random() % std::size(codes)];
                players.keyDown(p, false, now);
                players.keyUp(p.id);
            }
            if (chance(random) < 1) {
                void (GameCore::*const commands[])() = {
                    &GameCore::mnuPri_Click,     &GameCore::mnuInt_Click,
                    &GameCore::mnuPro_Click,     &GameCore::mnuSet_Uno_Click,
                    &GameCore::mnuSet_Tre_Click, &GameCore::mnuSet_Cinque_Click,
                    &GameCore::mnuGrandi_Click,  &GameCore::mnuPiccole_Click,
                    &GameCore::mnuRief_Click,    &GameCore::mnuNuovaPartita_Click};
                (g.game.*commands[random() % std::size(commands)])();
            }
            if (g.host.clock && now % g.host.interval == 0)
                g.game.Timer1_Timer();
        }
    }
};

class Victim : public NetSide {
  public:
    Pipe out;
    std::int64_t now = 0;
    FakeLink link{out, now};
    int boardsAtLastBox = -1;
    bool boxTwiceForOneBoard = false;
    bool boxForNoEnd = false; // a match's end shown where the board shows none

    explicit Victim(Role role) {
        platform.whileMessageOpen = [this] { session->boxOpening(); };
        session = std::make_unique<Session>(role, game, platform, players, link, *this);
        session->start(0);
        const Role other = role == Role::Host ? Role::Guest : Role::Host;
        session->received(encode(Hello{protocolVersion, other}), 0);
    }
    void boxArrived(const std::string& text) override {
        NetSide::boxArrived(text);
        boxTwiceForOneBoard = boxTwiceForOneBoard || boards == boardsAtLastBox;
        boardsAtLastBox = boards;
        std::string winner;
        boxForNoEnd = boxForNoEnd || !game.ControllaMatch(winner);
    }
    // The boards the session sent so far, as the peer would count them reading.
    std::uint32_t boardsSent() const {
        std::uint32_t n = 0;
        Decoder d;
        for (const auto& bytes : out.inFlight)
            d.feed(bytes.second);
        for (auto r = d.next(); r.status == Decoder::Status::Ready; r = d.next())
            n += std::holds_alternative<Board>(r.message) ? 1 : 0;
        return n;
    }
};

} // namespace

class TestHostile : public QObject {
    Q_OBJECT

  private slots:
    void aHostilePeerDoesNoHarm_data() {
        QTest::addColumn<bool>("attackingHost");
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("reads");
        for (const int seed : {1, 2, 3}) {
            QTest::addRow("a guest, seed %d", seed) << true << seed << true;
            QTest::addRow("a host, seed %d", seed) << false << seed << true;
        }
        QTest::newRow("a guest that reads nothing") << true << 4 << false;
        QTest::newRow("a host that reads nothing") << false << 4 << false;
    }
    void aHostilePeerDoesNoHarm() {
        QFETCH(bool, attackingHost);
        QFETCH(int, seed);
        QFETCH(bool, reads);
        std::mt19937 random(static_cast<unsigned>(seed));
        TrueHost truth;
        int taken = 0; // messages a playing session took
        int sessions = 0;
        std::vector<std::string> ends;
        for (int sent = 0; sent < 6000; ++sessions) {
            Victim v(attackingHost ? Role::Host : Role::Guest);
            std::int64_t& now = v.now;
            const float blueTop = v.game.Racchetta_Blu.Top;
            const float blueLeft = v.game.Racchetta_Blu.Left;
            while (sent < 6000 && v.session->playing()) {
                std::vector<std::uint8_t> bytes;
                const auto add = [&bytes](const Message& m) {
                    const auto f = encode(m);
                    bytes.insert(bytes.end(), f.begin(), f.end());
                };
                const int c = chance(random);
                int pressed = 0;
                if (c < 8) { // junk, or a frame of the wrong side's
                    for (int i = 0; i < 1 + int(random() % 20); ++i)
                        bytes.push_back(byte(random));
                } else if (c < 20 || !reads) { // a flood
                    for (int i = 0; i < 500; ++i)
                        add(attackingHost || !reads ? Message{Ping{word(random)}}
                                                    : Message{MatchEnd{0}});
                } else if (c < 30) {
                    add(Ping{word(random)});
                } else if (c < 33) {
                    add(Pong{word(random) % 4});
                } else if (attackingHost && c < 38) {
                    add(Key{true, byte(random), byte(random)});
                    pressed = 1;
                } else if (attackingHost && c < 45) {
                    add(Away{});
                } else if (attackingHost && c < 60) {
                    add(Seen{v.boardsSent() + word(random) % 3 - 1});
                } else if (attackingHost) {
                    const SeatKey k = keyboardKeys[random() % std::size(keyboardKeys)];
                    const bool down = random() % 2 == 0;
                    add(Key{down, k.keyDown, k.character});
                    pressed = down ? 1 : 0;
                } else if (c < 45) {
                    add(mutated(Board::of(truth.g.game, truth.g.host), random));
                } else if (c < 60) {
                    add(MatchEnd{static_cast<std::uint8_t>(random() % 3)});
                } else {
                    truth.playFor(random, 1 + int(random() % 200));
                    const Board b = Board::of(truth.g.game, truth.g.host);
                    QVERIFY2(b.reachable(), "the rules gave a board the guest would refuse");
                    add(b);
                }
                ++sent;
                const float redTop = v.game.Racchetta_Rossa.Top;
                v.session->received(bytes, now);
                taken += v.session->playing() ? 1 : 0;
                const auto held = static_cast<float>(v.players.heldKeys().size());
                v.players.repeatHeldKeys(now);
                if (attackingHost)
                    v.runClock(now);
                v.session->gameChanged();
                v.session->poll(now);
                if (reads) {
                    v.out.inFlight.clear();
                    v.out.bytesInFlight = 0;
                }
                // A silence now and then, long enough to end a session.
                now += chance(random) < 2 ? Session::silenceLimit : 1 + random() % 40;

                const QByteArray what =
                    QByteArray("message ") + QByteArray::number(sent) + ", kind " +
                    QByteArray::number(bytes[std::min<std::size_t>(2, bytes.size() - 1)]);
                QVERIFY2(Board::of(v.game, v.platform).reachable(), what);
                QVERIFY2(v.link.unsent() <= Session::mostUnread + 2 * (2 + longestFrame), what);
                QVERIFY2(!v.boxTwiceForOneBoard && !v.boxForNoEnd, what);
                QVERIFY2(v.ends.size() <= 1, what);
                // Once the link ends the host goes back to the last board both had.
                if (attackingHost && v.session->playing()) {
                    QVERIFY2(held <= Session::mostGuestKeys, what);
                    QVERIFY2(std::fabs(v.game.Racchetta_Rossa.Top - redTop) <=
                                 500.0f * (float(pressed) + held),
                             what);
                    QVERIFY2(v.game.Racchetta_Blu.Top == blueTop &&
                                 v.game.Racchetta_Blu.Left == blueLeft,
                             what);
                }
            }
            if (!v.ends.empty())
                ends.push_back(v.ends.front());
        }
        // The peer was heard for long enough to try everything, and every way it ended is
        // in the game's own words.
        QVERIFY2(taken > 1000, qPrintable(QString::number(taken)));
        QVERIFY(sessions > 5);
        for (const std::string& why : ends)
            QVERIFY2(why.find("continua su questo computer") != std::string::npos, why.c_str());
        if (!reads)
            QVERIFY(std::any_of(ends.begin(), ends.end(), [](const std::string& why) {
                return why.find("non legge") != std::string::npos;
            }));
    }
};

QTEST_GUILESS_MAIN(TestHostile)
#include "test_hostile.moc"
