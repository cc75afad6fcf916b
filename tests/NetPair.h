#pragma once
// Two games joined by a fake network, on one fake clock in milliseconds: each direction
// delays what is sent by half the round trip plus a jitter, in order, as TCP does, and
// may be cut. The host's clock ticks on its interval; its held keys repeat.
#include "FakePlatform.h"

#include "input/Players.h"
#include "net/Session.h"

#include <deque>
#include <memory>
#include <random>

namespace quindra::testing {

// One direction of the link.
struct Pipe {
    int delay = 0;  // one way, ms
    int jitter = 0; // up to this much more, ms
    std::mt19937 random{7};
    std::deque<std::pair<std::int64_t, std::vector<std::uint8_t>>> inFlight;
    std::size_t bytesInFlight = 0;
    std::int64_t lastAt = 0;
    bool closed = false; // the sender closed it
    bool cut = false;    // the cable pulled, or a peer that reads nothing: nothing arrives
    bool closeSeen = false;
};

class FakeLink : public net::Link {
  public:
    FakeLink(Pipe& out, const std::int64_t& now) : out_(out), now_(now) {}
    void send(std::span<const std::uint8_t> bytes) override {
        if (out_.closed)
            return;
        const int extra =
            out_.jitter > 0 ? std::uniform_int_distribution<int>(0, out_.jitter)(out_.random) : 0;
        const std::int64_t at = std::max(out_.lastAt, now_ + out_.delay + extra);
        out_.lastAt = at;
        out_.inFlight.emplace_back(at, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        out_.bytesInFlight += bytes.size();
    }
    // What the other side has not taken yet: all of it, once it stops reading.
    std::size_t unsent() const override { return out_.bytesInFlight; }
    void close() override { out_.closed = true; }

  private:
    Pipe& out_;
    const std::int64_t& now_;
};

// One of the two programs.
struct NetSide : net::SessionListener {
    FakePlatform platform;
    GameCore game{platform};
    Players players{game, platform};
    std::unique_ptr<net::Session> session;
    int starts = 0;
    int boards = 0;
    int hostChanges = 0;
    std::vector<std::string> boxes;
    std::vector<int> roundTrips;
    std::vector<std::string> ends;
    std::int64_t nextTick = 0;
    bool ticking = false;

    NetSide() { game.Form_Load("C:\\Giochi"); }
    void started() override { ++starts; }
    void boardArrived() override { ++boards; }
    void hostChanged() override { ++hostChanges; }
    void boxArrived(const std::string& text) override { boxes.push_back(text); }
    void roundTripMeasured(int ms) override { roundTrips.push_back(ms); }
    void ended(const std::string& why) override { ends.push_back(why); }

    // The game clock, as a front-end keeps it: a tick every interval from its start.
    void runClock(std::int64_t now) {
        if (!platform.clock) {
            ticking = false;
            return;
        }
        if (!ticking) {
            ticking = true;
            nextTick = now + platform.interval;
        }
        if (now >= nextTick) {
            nextTick += platform.interval;
            game.Timer1_Timer();
        }
    }
};

struct NetPair {
    std::int64_t now = 0;
    Pipe toGuest, toHost;
    NetSide host, guest;
    FakeLink hostLink{toGuest, now}, guestLink{toHost, now};
    // Called with each frame the host receives, as it arrives.
    std::function<void(std::int64_t, std::span<const std::uint8_t>)> hostHears;

    explicit NetPair(int roundTrip = 0, int jitter = 0) {
        toGuest.delay = toHost.delay = roundTrip / 2;
        toGuest.jitter = toHost.jitter = jitter;
        toHost.random.seed(11);
        host.session = std::make_unique<net::Session>(net::Role::Host, host.game, host.platform,
                                                      host.players, hostLink, host);
        guest.session = std::make_unique<net::Session>(net::Role::Guest, guest.game, guest.platform,
                                                       guest.players, guestLink, guest);
        // The host's match-end box goes to the guest as it opens.
        host.platform.whileMessageOpen = [this] { host.session->boxOpening(); };
        // What the host's players hear goes to the guest with the next board.
        host.platform.whileSound = [this](Sound s) { host.session->soundHeard(s); };
        host.session->start(now);
        guest.session->start(now);
    }

    static void
    deliver(Pipe& pipe, net::Session& to, std::int64_t now,
            const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& hears = {}) {
        if (pipe.cut)
            return;
        while (!pipe.inFlight.empty() && pipe.inFlight.front().first <= now) {
            const auto bytes = std::move(pipe.inFlight.front().second);
            pipe.inFlight.pop_front();
            pipe.bytesInFlight -= bytes.size();
            if (hears)
                hears(now, bytes);
            to.received(bytes, now);
        }
        if (pipe.closed && pipe.inFlight.empty() && !pipe.closeSeen) {
            pipe.closeSeen = true;
            to.linkLost();
        }
    }

    // One millisecond: what arrives, the held keys' repeats, the host's tick, the board
    // sent, the pings.
    void step() {
        deliver(toHost, *host.session, now, hostHears);
        deliver(toGuest, *guest.session, now);
        host.players.repeatHeldKeys(now);
        host.runClock(now);
        if (!guest.session->playing())
            guest.runClock(now); // alone again, the guest plays its own match
        host.session->gameChanged();
        host.session->poll(now);
        guest.session->poll(now);
        ++now;
    }

    void runFor(std::int64_t ms) {
        const std::int64_t end = now + ms;
        while (now < end)
            step();
    }
};

// A key press of one code, and its characters.
inline KeyPress pressOf(std::uint32_t id, std::uint16_t keyDown,
                        std::vector<std::uint8_t> characters = {}) {
    KeyPress p;
    p.id = id;
    p.keyDown = keyDown;
    p.characters = std::move(characters);
    return p;
}

} // namespace quindra::testing
