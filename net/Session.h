#pragma once
// A match played from two computers. The host runs the rules with its own keys at the
// left racquet and the guest's, arriving over the link, at the right; after every change
// it sends the board, which the guest draws and confirms. Either side pings every second
// and measures the round trip; a caller who does not greet within five seconds, five
// seconds of silence, a message out of order or out of range, more than the other side
// reads, or the link's loss end the session, and each side goes on alone with the last
// board both had, paused.
//
// What a peer can do is what a player's keys can: a guest presses and lets go the right
// player's own keys, a host shows a board its game could reach and says who won.
#include "Link.h"
#include "Messages.h"
#include "app/Sounds.h"
#include "input/Seats.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace quindra {
class GameCore;
class Platform;
class Players;
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
    // The host's game changed by the link: a guest's key, a rally paused for want of news.
    virtual void hostChanged() = 0;
    // The guest shows the match's end, in its own words.
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
    // Silence ends a session, and a caller has as long to greet.
    static constexpr int silenceLimit = 5000;
    // A board the guest has not confirmed for this long pauses the host's rally.
    static constexpr int unconfirmedLimit = 1000;
    // The guest holds no more keys at once than two hands can.
    static constexpr std::size_t mostGuestKeys = 10;
    // What the other side leaves unread, and boards left unconfirmed, before the link goes.
    static constexpr std::size_t mostUnread = 1 << 20;
    static constexpr std::size_t mostUnconfirmed = 256;

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
    // A caller who has not greeted gives way to a newer one: told why, closed, and no more
    // heard of. The match has not begun, so nothing else changes.
    void giveWay();

    // Host: anything may have changed the game; the board goes out when it did.
    void gameChanged();
    // Host: a sound its players hear; the guest hears it with the next board.
    void soundHeard(Sound sound);
    // Host: the match-end box about to open; the guest opens its own.
    void boxOpening();
    // Host: the box closed. While it is open the guest's keys reach nothing, as the host's
    // own keys don't.
    void boxClosed() { boxOpen_ = false; }

    // Guest: its keys, sent to the host, which repeats held keys itself. Only the right
    // player's keys go, each once however many keys here give the same codes.
    void keyDown(const KeyPress& press, bool desktopRepeat);
    void keyUp(std::uint32_t id);
    void releaseKeys();
    // Guest: its window was minimised or lost the keyboard; the rally pauses.
    void away();

  private:
    void handle(const Message& message, std::int64_t now);
    void greeted(const Hello& hello);
    void hostHandles(const Message& message, std::int64_t now);
    void hostTakesKey(const Key& key, std::int64_t now);
    void hostTakesSeen(const Seen& seen);
    void releaseGuestKeys();
    void guestHandles(const Message& message);
    void guestTakesMatchEnd(const MatchEnd& end);
    void send(const Message& message);
    // `failed`: the link stopped working, so the other side may not have what was sent.
    void end(const std::string& why, std::optional<Bye::Reason> tell, bool failed = false);
    void goOnAlone(bool fromConfirmed);
    void hostGoesBackToConfirmed();

    Role role_;
    GameCore& game_;
    Platform& platform_;
    Players& players_;
    Link& link_;
    SessionListener& listener_;
    State state_ = State::Greeting;
    Decoder decoder_;
    std::int64_t now_ = 0; // the latest time told
    std::int64_t lastHeard_ = 0;
    std::int64_t nextPing_ = 0;
    std::uint32_t pingsSent_ = 0;
    std::int64_t lastPingAt_ = 0;
    std::optional<int> roundTrip_;
    std::optional<Board> lastBoard_; // the host's last sent, the guest's last shown
    std::uint8_t soundsHeard_ = 0;   // host: since the last board sent
    // Host: the boards sent and not yet confirmed, with when each went; the last confirmed.
    std::deque<std::pair<std::int64_t, Board>> unconfirmed_;
    std::optional<Board> confirmed_;
    std::uint32_t boardsSent_ = 0;
    std::uint32_t boardsConfirmed_ = 0;
    // Guest: the boards taken; whether the match's end was shown for the last board.
    std::uint32_t boardsTaken_ = 0;
    bool matchEndShown_ = false;
    // The right player's keys held: the host's by their codes, the guest's by its own ids.
    std::set<std::uint32_t> hostKeysDown_;
    std::map<std::uint32_t, SeatKey> guestKeysDown_; // by the ids of this keyboard
    bool boxOpen_ = false;
    bool began_ = false;
};

// The main window's title: the round trip shown while playing over the network.
std::string windowTitle(const Session* session);

// The texts of the boxes that end a session.
std::string farewellText(Bye::Reason reason);

} // namespace quindra::net
