#pragma once
// A window for the game's table with no window: timers that go off only when the test
// moves the time on, a fixed outer size, counted paints, scripted boxes and dialogs.
#include "FakePlatform.h"
#include "app/Desktop.h"
#include "app/Table.h"
#include "net/Connection.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quindra::testing {

// Sockets that never open: the table's games here are played at one keyboard.
struct NoSockets : net::Sockets {
    std::optional<net::Failure> listen(std::uint16_t) override { return net::Failure::PortDenied; }
    void stopListening() override {}
    std::uint16_t listeningPort() const override { return 0; }
    std::optional<net::Failure> call(const std::string&, std::uint16_t) override {
        return net::Failure::NoSuchHost;
    }
    void hangUp() override {}
    void send(Id, std::span<const std::uint8_t>) override {}
    std::size_t unsent(Id) const override { return 0; }
    void finish(Id) override {}
    void letGo(Id) override {}
    void abort(Id) override {}
};

class FakeDesktop : public Desktop {
  public:
    struct Timer {
        std::optional<std::int64_t> due;
        int every = 0; // 0: once
        int starts = 0;
    };
    std::int64_t time = 1000;
    std::array<Timer, timerCount> timers;
    int paintsNow = 0, paintsLater = 0, checks = 0;
    bool canMove = true;
    std::vector<std::string> boxes;
    std::vector<Sound> sounds;
    std::function<void()> whileBoxOpen;
    std::function<void()> whileColourOpen;
    NoSockets noSockets;
    Table table{*this};

    Timer& timer(TimerId id) { return timers[static_cast<std::size_t>(id)]; }
    bool running(TimerId id) { return timer(id).due.has_value(); }

    // Moves the time on to `until`, each timer going off at its moment, in order.
    void runUntil(std::int64_t until) {
        for (;;) {
            std::optional<std::size_t> next;
            for (std::size_t i = 0; i < timers.size(); ++i)
                if (timers[i].due && *timers[i].due <= until &&
                    (!next || *timers[i].due < *timers[*next].due))
                    next = i;
            if (!next)
                break;
            Timer& t = timers[*next];
            time = *t.due;
            t.due = t.every ? std::optional(time + t.every) : std::nullopt;
            table.timerFired(static_cast<TimerId>(*next));
        }
        time = until;
    }

    void startTimer(TimerId id, int milliseconds, bool periodic) override {
        Timer& t = timer(id);
        t.due = time + milliseconds;
        t.every = periodic ? milliseconds : 0;
        ++t.starts;
    }
    void stopTimer(TimerId id) override { timer(id).due.reset(); }
    std::int64_t now() const override { return time; }
    float outerWidth() const override { return fakeOuterWidth; }
    float outerHeight() const override { return fakeOuterHeight; }
    void refresh(bool now) override { ++(now ? paintsNow : paintsLater); }
    void showChecks() override { ++checks; }
    void enableItem(MenuItem, bool) override {}
    void showTitle(const std::string&) override {}
    bool playersCanMove() const override { return canMove; }
    void showBox(const std::string& text) override {
        boxes.push_back(text);
        if (whileBoxOpen)
            whileBoxOpen();
    }
    std::optional<Colour> pickColour(Colour) override {
        if (whileColourOpen)
            whileColourOpen();
        return std::nullopt;
    }
    void tellNetworkDialog(DialogNews, const std::string&) override {}
    void playSound(Sound sound) override { sounds.push_back(sound); }
    void reseedRandom() override {}
    float drawRandom() override { return 0.5f; }
    net::Sockets& sockets() override { return noSockets; }
};

} // namespace quindra::testing
