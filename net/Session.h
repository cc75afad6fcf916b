#pragma once
// A match played from two computers. The host runs the rules with its own keys at the
// left racquet and the guest's, arriving over the link, at the right; after every change
// it sends the board, which the guest draws. Either side pings every second and measures
// the round trip; five seconds of silence, a message out of order or out of range, or the
// link's loss end the session, and each side goes on with the match alone, paused.
#include "Link.h"
#include "Messages.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace quindra {
class GameCore;
class Platform;
class Players;
struct KeyPress;
} // namespace quindra

namespace quindra::net {

// What the session tells the window it plays in.
class SessionListener {
  public:
    virtual ~SessionListener() = default;
    // Both sides greeted each other: the match is on.
    virtual void started() = 0;
    // The guest has a new board in its game, to paint.
    virtual void boardArrived() = 0;
    // The guest shows the host's box: the match's end.
    virtual void boxArrived(const std::string& text) = 0;
    // A fresh round trip, in milliseconds.
    virtual void roundTripMeasured(int milliseconds) = 0;
    // The session is over and the link closed; `why` is for a box, empty when this
    // player ended it. The game is already an ordinary local match again.
    virtual void ended(const std::string& why) = 0;
};

class Session {
  public:
    static constexpr int pingInterval = 1000; // milliseconds
    static constexpr int silenceLimit = 5000;
    // The guest holds no more keys at once than two hands can.
    static constexpr std::size_t mostGuestKeys = 10;

    enum class State { Greeting, Playing, Ended };

    Session(Role role, GameCore& game, Platform& platform, Players& players, Link& link,
            SessionListener& listener);

    Role role() const { return role_; }
    State state() const { return state_; }
    bool playing() const { return state_ == State::Playing; }
    // Both sides greeted each other, at some time: the match began, whether or not it is over.
    bool began() const { return began_; }
    std::optional<int> roundTrip() const { return roundTrip_; }

    // The link is up: greet the other side.
    void start(std::int64_t now);
    // Bytes from the link, in order.
    void received(std::span<const std::uint8_t> bytes, std::int64_t now);
    // The link closed or failed.
    void linkLost();
    // Pings when one is due and ends a silent session; called at least every 250 ms.
    void poll(std::int64_t now);
    // This player ends the session.
    void quit();

    // Host: anything may have changed the game; the board goes out when it did.
    void gameChanged();
    // Host: the box about to open, on the guest too.
    void boxOpening(const std::string& text);
    // Host: the box closed. While it is open the guest's keys reach nothing, as the host's
    // own keys don't.
    void boxClosed() { boxOpen_ = false; }

    // Guest: its keys, sent to the host, which repeats held keys itself.
    void keyDown(const KeyPress& press, bool desktopRepeat);
    void keyUp(std::uint32_t id);
    void releaseKeys();
    // Guest: its window was minimised or lost the keyboard; the rally pauses.
    void away();

  private:
    void handle(const Message& message, std::int64_t now);
    void greeted(const Hello& hello);
    void hostHandles(const Message& message, std::int64_t now);
    void guestHandles(const Message& message);
    void send(const Message& message);
    void end(const std::string& why, std::optional<Bye::Reason> tell);
    void goOnAlone();

    Role role_;
    GameCore& game_;
    Platform& platform_;
    Players& players_;
    Link& link_;
    SessionListener& listener_;
    State state_ = State::Greeting;
    Decoder decoder_;
    std::int64_t lastHeard_ = 0;
    std::int64_t nextPing_ = 0;
    std::uint32_t pingsSent_ = 0;
    std::int64_t lastPingAt_ = 0;
    std::optional<int> roundTrip_;
    std::optional<Board> lastBoard_;   // the host's last sent, the guest's last shown
    std::set<std::uint32_t> keysDown_; // the guest's keys held, on either side
    bool boxOpen_ = false;
    bool began_ = false;
};

// The main window's title: the round trip shown while playing over the network.
std::string windowTitle(const Session* session);

// The texts of the boxes that end a session.
std::string farewellText(Bye::Reason reason);

} // namespace quindra::net
