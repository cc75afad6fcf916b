#pragma once
// What two games say to each other over the network, and how it is put in bytes. Each
// message is a frame: its length in two bytes, then its kind in one, then what it
// carries. A frame too long, a kind not known, or a value out of range is refused.
#include "Board.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace quindra::net {

// Raised whenever a message changes; games of different versions refuse each other.
constexpr std::uint16_t protocolVersion = 3;
constexpr std::uint16_t defaultPort = 47115;
// No frame is longer: a board is about 90 bytes.
constexpr std::size_t longestFrame = 512;

enum class Role : std::uint8_t { Host = 0, Guest = 1 };

// The first message each side sends. Its form never changes, so that any version can
// read another's number.
struct Hello {
    std::uint16_t version = protocolVersion;
    Role role = Role::Host;
    bool operator==(const Hello&) const = default;
};

// A key of the guest's going down or up, as the key table reads it: its virtual-key code
// and the one character it types (0 for none). The host knows a key by these two codes,
// and repeats a held key itself.
struct Key {
    bool down = true;
    std::uint8_t keyDown = 0;
    std::uint8_t character = 0;
    bool operator==(const Key&) const = default;
};

// The guest's window lost the keyboard or was minimised: the rally pauses, as P does.
struct Away {
    bool operator==(const Away&) const = default;
};

// The host's match ended, won by the left (0) or the right (1) player: the guest opens
// its own box, in its own words.
struct MatchEnd {
    std::uint8_t winner = 0;
    bool operator==(const MatchEnd&) const = default;
};

// What the host's players heard since its last board, one bit for each Sound: the guest
// hears them as it shows the board that follows.
struct Heard {
    std::uint8_t sounds = 0;
    bool operator==(const Heard&) const = default;
};

// The guest has taken this many boards: the host knows what both of them have.
struct Seen {
    std::uint32_t boards = 0;
    bool operator==(const Seen&) const = default;
};

struct Ping {
    std::uint32_t sequence = 0;
    bool operator==(const Ping&) const = default;
};

struct Pong {
    std::uint32_t sequence = 0;
    bool operator==(const Pong&) const = default;
};

// The last word before closing, and why.
struct Bye {
    enum class Reason : std::uint8_t {
        Quit = 0,
        Busy = 1,
        Version = 2,
        BadMessage = 3,
        Silence = 4,
        NoGreeting = 5, // a caller who did not greet in time, or gave way to another
    };
    Reason reason = Reason::Quit;
    bool operator==(const Bye&) const = default;
};

using Message = std::variant<Hello, Key, Away, Board, MatchEnd, Seen, Ping, Pong, Bye, Heard>;

// The whole frame for one message.
std::vector<std::uint8_t> encode(const Message& message);

// Cuts frames off the front of what has arrived, one at a time.
class Decoder {
  public:
    enum class Status { Ready, NeedMore, Bad };
    struct Result {
        Status status = Status::NeedMore;
        Message message;
        std::string fault; // Bad: what was wrong, for the player's message
    };

    void feed(std::span<const std::uint8_t> bytes);
    Result next();
    std::size_t buffered() const { return buffer_.size() - start_; }

  private:
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
    bool bad_ = false;
};

// One frame's body (kind and what it carries), decoded and checked; the fault otherwise.
std::variant<Message, std::string> decodeBody(std::span<const std::uint8_t> body);

} // namespace quindra::net
