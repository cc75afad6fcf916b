#pragma once
// One connection to the other game, as the session sees it. Each front-end gives it with
// its own sockets (a TCP stream, no Nagle delay); the tests give it with a fake.
#include <cstddef>
#include <cstdint>
#include <span>

namespace quindra::net {

class Link {
  public:
    virtual ~Link() = default;
    // Sends the bytes in order after those sent before; a failure shows later as the
    // link's loss.
    virtual void send(std::span<const std::uint8_t> bytes) = 0;
    // What was sent and is still waiting here for the other side to take it.
    virtual std::size_t unsent() const = 0;
    // Closes once what was sent has gone.
    virtual void close() = 0;
};

} // namespace quindra::net
