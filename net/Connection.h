#pragma once
// A match with another computer from its first byte to its last: waiting for a guest or
// calling a host, the session while it lasts, a caller who has not greeted giving way to
// a newer one, a third caller turned away, the poll, the call's time limit, and every text
// the player reads about it. Each window gives it its sockets as pipes of bytes, and
// tells it what they do; nothing here knows a socket's kind.
#include "Link.h"
#include "Session.h"
#include "Texts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quindra::net {

// The window's sockets, by numbers the window gives them.
class Sockets {
  public:
    using Id = std::uint32_t;
    virtual ~Sockets() = default;
    // Listens for callers on `port`; the failure when it can't.
    virtual std::optional<Failure> listen(std::uint16_t port) = 0;
    virtual void stopListening() = 0;
    virtual std::uint16_t listeningPort() const = 0;
    // Calls `address`: the window says `connected` or `callFailed` later, or fails now.
    virtual std::optional<Failure> call(const std::string& address, std::uint16_t port) = 0;
    // Gives up the call under way.
    virtual void hangUp() = 0;
    virtual void send(Id socket, std::span<const std::uint8_t> bytes) = 0;
    // What was sent on it and not yet taken by the other side.
    virtual std::size_t unsent(Id socket) const = 0;
    // Sends what waits and says no more; what the other side says still comes.
    virtual void finish(Id socket) = 0;
    // Closes it once what was sent has gone; nothing more is heard from it.
    virtual void letGo(Id socket) = 0;
    // Closes it at once; nothing more is heard from it.
    virtual void abort(Id socket) = 0;
};

// What the link tells the window.
class LinkNews {
  public:
    virtual ~LinkNews() = default;
    // Both sides greeted each other: the match is on.
    virtual void linkStarted() = 0;
    // Calling came to nothing, or the session ended before it began.
    virtual void linkFailed(const std::string& why) = 0;
    // While hosting: someone connected and went before the match began (another program,
    // another version); the host goes on waiting. `why` is already the whole text.
    virtual void linkTurnedAway(const std::string& why) = 0;
    // The guest has the host's new board; the host's game changed by the link.
    virtual void linkChanged() = 0;
    // A box to open, after the news that brought it is handled.
    virtual void linkBox(const std::string& text) = 0;
    virtual void linkRoundTrip() = 0;
    // The session is over; `why` is for a box, empty when this player ended it.
    virtual void linkEnded(const std::string& why) = 0;
};

// The timers and the time the link asks of the window.
class LinkTimers {
  public:
    enum class Timer { Poll, CallLimit, Later };
    virtual ~LinkTimers() = default;
    // Starts `timer` afresh to go off after `milliseconds` (the poll: every time).
    virtual void startLinkTimer(Timer timer, int milliseconds) = 0;
    virtual void stopLinkTimer(Timer timer) = 0;
    virtual std::int64_t linkNow() const = 0;
};

class Connection : private Link, private SessionListener {
  public:
    // Pings fall due every second and five seconds of silence end a session: a look four
    // times a second keeps both to a quarter of a second.
    static constexpr int pollInterval = 250;

    Connection(GameCore& game, Platform& platform, Players& players, Sockets& sockets,
               LinkTimers& timers, LinkNews& news);
    ~Connection() override;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Waits for a guest on `port`; the reason when the port can't be opened.
    std::string host(std::uint16_t port);
    // Calls the host at `address`; the reason at once when the call cannot even start.
    std::string join(const std::string& address, std::uint16_t port);
    // "Avvia": hosts, or calls the host, as the dialog's fields say, each checked first.
    // Either waiting, with the text to show meanwhile, or not, with what is wrong.
    struct Start {
        bool waiting = false;
        std::string text;
    };
    Start start(bool hosting, const std::string& address, const std::string& port);
    // Stops waiting or calling; a session under way is not touched.
    void cancel();
    // This player ends the session.
    void quit();

    bool waiting() const;
    // Playing with another computer now: the role it has.
    std::optional<Role> role() const;
    Session* session() const { return session_.get(); }
    std::uint16_t listeningPort() const { return sockets_.listeningPort(); }

    // What the window's sockets did.
    void accepted(Sockets::Id socket);
    void connected(Sockets::Id socket);
    void callFailed(Failure why);
    void received(Sockets::Id socket, std::span<const std::uint8_t> bytes);
    void lost(Sockets::Id socket);
    void timerFired(LinkTimers::Timer timer);

  private:
    // SessionListener.
    void started() override;
    void boardArrived() override;
    void hostChanged() override;
    void boxArrived(const std::string& text) override;
    void roundTripMeasured(int milliseconds) override;
    void ended(const std::string& why) override;
    // Link.
    void send(std::span<const std::uint8_t> bytes) override;
    std::size_t unsent() const override;
    void close() override;

    void begin(Sockets::Id socket, Role role);
    void dropSession();
    // Done once the news at hand is handled: the session may be deep in its own call.
    void later(std::function<void()> action);

    GameCore& game_;
    Platform& platform_;
    Players& players_;
    Sockets& sockets_;
    LinkTimers& timers_;
    LinkNews& news_;
    bool listening_ = false;
    // The call under way, and whom it is to.
    bool calling_ = false;
    std::string callee_;
    std::uint16_t calleePort_ = 0;
    std::optional<Sockets::Id> socket_; // the session's
    std::unique_ptr<Session> session_;
    std::vector<std::function<void()>> later_;
};

} // namespace quindra::net
