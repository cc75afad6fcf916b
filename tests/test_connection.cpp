// The link's life with fake sockets and a fake clock: waiting, calling, greeting, callers
// who give way or are turned away, the call's time limit, the end.
#include "FakePlatform.h"
#include "Rows.h"
#include "input/Players.h"
#include "net/Connection.h"
#include "net/Messages.h"

#include <QtTest>

#include <map>
#include <set>

using namespace quindra;
using namespace quindra::testing;
using Timer = net::LinkTimers::Timer;

namespace {

std::vector<std::uint8_t> bytes(const net::Message& message) {
    return net::encode(message);
}

bool endsWith(const std::vector<std::uint8_t>& all, const std::vector<std::uint8_t>& tail) {
    return all.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), all.end() - long(tail.size()));
}

struct Fakes : net::Sockets, net::LinkTimers, net::LinkNews {
    // Sockets.
    std::optional<net::Failure> listenFails, callFails;
    bool listening = false, calling = false;
    std::map<Id, std::vector<std::uint8_t>> sent;
    std::set<Id> letGone, aborted;
    std::optional<net::Failure> listen(std::uint16_t) override {
        listening = !listenFails;
        return listenFails;
    }
    void stopListening() override { listening = false; }
    std::uint16_t listeningPort() const override { return 4000; }
    std::optional<net::Failure> call(const std::string&, std::uint16_t) override {
        calling = !callFails;
        return callFails;
    }
    void hangUp() override { calling = false; }
    void send(Id s, std::span<const std::uint8_t> b) override {
        sent[s].insert(sent[s].end(), b.begin(), b.end());
    }
    std::size_t unsent(Id) const override { return 0; }
    void finish(Id) override {}
    void letGo(Id s) override { letGone.insert(s); }
    void abort(Id s) override { aborted.insert(s); }
    // LinkNews and LinkTimers.
    std::vector<std::string> news;
    std::map<Timer, int> timers; // running ones, by their milliseconds
    std::int64_t now = 0;
    void linkStarted() override { news.push_back("started"); }
    void linkFailed(const std::string& why) override { news.push_back("failed: " + why); }
    void linkTurnedAway(const std::string& why) override { news.push_back("away: " + why); }
    void linkChanged() override { news.push_back("changed"); }
    void linkBox(const std::string& text) override { news.push_back("box: " + text); }
    void linkRoundTrip() override {}
    void linkEnded(const std::string& why) override { news.push_back("ended: " + why); }
    void startLinkTimer(Timer t, int ms) override { timers[t] = ms; }
    void stopLinkTimer(Timer t) override { timers.erase(t); }
    std::int64_t linkNow() const override { return now; }

    StartedGame started;
    Players players{started.game, started.host};
    net::Connection link{started.game, started.host, players, *this, *this, *this};

    // What waited for the news at hand to be handled.
    void afterwards() {
        if (timers.erase(Timer::Later))
            link.timerFired(Timer::Later);
    }
    void greet(Id s, net::Role role) {
        link.received(s, bytes(net::Hello{net::protocolVersion, role}));
    }
};

} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

  private slots:
    // A caller who has not greeted gives way to a newer one and hears why; one who greets
    // keeps the place, and a third caller hears that the match has an opponent.
    void oneCallerAtATime() {
        Fakes f;
        QVERIFY(f.link.host(4000).empty() && f.listening && f.link.waiting());
        f.link.accepted(1);
        QCOMPARE(f.timers.at(Timer::Poll), net::Connection::pollInterval);
        f.link.accepted(2);
        QVERIFY(endsWith(f.sent[1], bytes(net::Bye{net::Bye::Reason::NoGreeting})));
        QVERIFY(f.letGone.count(1) && !f.letGone.count(2));
        f.greet(2, net::Role::Guest); // the host's game may change with what a guest says
        QCOMPARE(f.news, (std::vector<std::string>{"started", "changed"}));
        QCOMPARE(f.link.role(), std::optional(net::Role::Host));
        f.link.cancel(); // too late: the match keeps the port
        QVERIFY(f.listening);
        f.link.accepted(3);
        QCOMPARE(f.sent[3], bytes(net::Bye{net::Bye::Reason::Busy}));
        QVERIFY(f.letGone.count(3) && f.link.role());
        f.link.received(1, bytes(net::Bye{net::Bye::Reason::Quit})); // no more from the first
        f.link.lost(1);
        QVERIFY(f.link.role());
    }

    // Someone who connects and goes before the match began leaves the host waiting, told
    // why in the game's words, after the news at hand.
    void aStrayCallerLeavesTheHostWaiting() {
        Fakes f;
        f.link.host(4000);
        f.link.accepted(1);
        f.greet(1, net::Role::Host); // another host, not a guest
        QVERIFY(f.news.empty());
        f.afterwards();
        QCOMPARE(f.news.size(), std::size_t(1));
        QVERIFY(f.news[0].starts_with("away: ") && f.news[0].find("4000") != std::string::npos);
        QVERIFY(f.letGone.count(1) && f.listening && f.link.waiting());
        QVERIFY(!f.timers.count(Timer::Poll));
    }

    // "Avvia" checks the dialog's fields before it hosts or calls; the name may come with
    // blanks around it.
    void start_data() {
        QTest::addColumn<bool>("hosting");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("waiting");
        QTest::addColumn<QString>("says");
        addRow("host", true, "x y", "4000", true, "4000");
        addRow("host, port 0", true, "", "0", false, "La porta è");
        addRow("host, port 65536", true, "", "65536", false, "La porta è");
        addRow("host, port taken", true, "", "47115", false, "47115");
        addRow("join", false, " host.lan ", "65535", true, "host.lan, porta 65535");
        addRow("join, no name", false, "  ", "4000", false, "Scrivi il nome");
        addRow("join, odd name", false, "x y", "4000", false, "\"x y\" non");
        addRow("join, no port", false, "host.lan", "", false, "La porta è");
    }
    void start() {
        QFETCH(bool, hosting);
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(bool, waiting);
        QFETCH(QString, says);
        Fakes f;
        if (port == QLatin1String("47115"))
            f.listenFails = net::Failure::PortTaken;
        const auto start = f.link.start(hosting, address.toStdString(), port.toStdString());
        QCOMPARE(start.waiting, waiting);
        QVERIFY2(QString::fromStdString(start.text).contains(says), start.text.c_str());
        QCOMPARE(f.link.waiting(), waiting);
        QCOMPARE(f.listening || f.calling, waiting);
    }

    // A call that cannot start, one refused, one with no answer in time: each told in the
    // game's words, the call given up, nothing left waiting.
    void callsThatComeToNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("no such name") << 0;
        QTest::newRow("refused") << 1;
        QTest::newRow("no answer") << 2;
    }

    void callsThatComeToNothing() {
        QFETCH(int, how);
        Fakes f;
        if (how == 0) {
            f.callFails = net::Failure::NoSuchHost;
            QCOMPARE(f.link.join("nowhere", 4000),
                     net::callFailedText(net::Failure::NoSuchHost, "nowhere", 4000));
            QVERIFY(!f.link.waiting() && !f.timers.count(Timer::CallLimit));
            return;
        }
        QVERIFY(f.link.join("somewhere", 4000).empty() && f.calling && f.link.waiting());
        QCOMPARE(f.timers.at(Timer::CallLimit), net::callLimitSeconds * 1000);
        const net::Failure why = how == 1 ? net::Failure::Refused : net::Failure::NoAnswer;
        if (how == 1)
            f.link.callFailed(why);
        else
            f.link.timerFired(Timer::CallLimit);
        QCOMPARE(f.news, std::vector<std::string>{"failed: " +
                                                  net::callFailedText(why, "somewhere", 4000)});
        QVERIFY(!f.calling && !f.link.waiting() && !f.timers.count(Timer::CallLimit));
        f.link.connected(9); // too late: nobody waits for it
        QVERIFY(f.aborted.count(9) && !f.link.session());
    }

    // Waiting or calling, a cancel leaves nothing open; a session under way it leaves be.
    void cancel() {
        Fakes f;
        f.link.host(4000);
        f.link.cancel();
        QVERIFY(!f.listening && !f.link.waiting());
        f.link.join("somewhere", 4000);
        f.link.cancel();
        QVERIFY(!f.calling && !f.timers.count(Timer::CallLimit));
        f.link.join("somewhere", 4000);
        f.link.connected(5);
        f.greet(5, net::Role::Host); // a guest's game changes only with the host's boards
        QCOMPARE(f.news, std::vector<std::string>{"started"});
        f.link.cancel();
        QCOMPARE(f.link.role(), std::optional(net::Role::Guest));
    }

    // The program closes during a match: the other side hears that this one left.
    void closingSaysGoodbye() {
        Fakes f;
        {
            net::Connection link{f.started.game, f.started.host, f.players, f, f, f};
            link.host(4000);
            link.accepted(7);
            link.received(7, bytes(net::Hello{net::protocolVersion, net::Role::Guest}));
            QVERIFY(link.role());
        }
        QVERIFY(endsWith(f.sent[7], bytes(net::Bye{net::Bye::Reason::Quit})));
    }

    // The player ends a match: the other side hears it, and the end is told once the news
    // at hand is handled; the socket goes, the poll stops, and nothing waits.
    void theEnd() {
        Fakes f;
        f.link.host(4000);
        f.link.accepted(1);
        f.greet(1, net::Role::Guest);
        f.link.quit();
        QVERIFY(endsWith(f.sent[1], bytes(net::Bye{net::Bye::Reason::Quit})));
        QCOMPARE(f.news.back(), std::string("changed"));
        f.afterwards();
        QCOMPARE(f.news.back(), std::string("ended: "));
        QVERIFY(f.letGone.count(1) && !f.listening && !f.link.waiting() && !f.link.session());
        QVERIFY(!f.timers.count(Timer::Poll));
    }
};

QTEST_MAIN(ConnectionTest)
#include "test_connection.moc"
