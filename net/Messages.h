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
constexpr std::uint16_t protocolVersion = 1;
constexpr std::uint16_t defaultPort = 47115;
// No frame is longer: a board is about 150 bytes.
constexpr std::size_t longestFrame = 512;
constexpr std::size_t longestKeyCharacters = 4;
constexpr std::size_t longestBoxText = 200;

enum class Role : std::uint8_t { Host = 0, Guest = 1 };

// The first message each side sends. Its form never changes, so that any version can
// read another's number.
struct Hello {
    std::uint16_t version = protocolVersion;
    Role role = Role::Host;
    bool operator==(const Hello&) const = default;
};

// A key of the guest's going down or up; the host repeats a held key itself.
struct Key {
    bool down = true;
    std::uint32_t id = 0;                 // which physical key, as the guest tells them apart
    std::uint16_t keyDown = 0;            // its virtual-key code; 0 for none
    std::vector<std::uint8_t> characters; // down only: the character codes it types
    bool operator==(const Key&) const = default;
};

// The guest's window lost the keyboard or was minimised: the rally pauses, as P does.
struct Away {
    bool operator==(const Away&) const = default;
};

// The box the host shows, shown on the guest too: the match's end.
struct Box {
    std::string text;
    bool operator==(const Box&) const = default;
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
        Silence = 4
    };
    Reason reason = Reason::Quit;
    bool operator==(const Bye&) const = default;
};

using Message = std::variant<Hello, Key, Away, Board, Box, Ping, Pong, Bye>;

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
