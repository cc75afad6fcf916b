#pragma once
// What the "Gioca in rete" dialog and the main window say about a match between two
// computers, in the game's words; both front-ends show the same.
#include <cstdint>
#include <string>

namespace quindra::net {

// Under the choices: what the chosen side needs from the other.
std::string choiceText(bool hosting);
std::string waitingText(std::uint16_t port);
std::string callingText(const std::string& address, std::uint16_t port);
// Someone connected and went before the match began; the host waits on. `why`: the
// session's reason, its first line only.
std::string turnedAwayText(const std::string& why, std::uint16_t port);
extern const char* const askAddressText;
// A name or address that cannot be one, as the player typed it.
std::string badAddressText(const std::string& address);

// Why a call or the wait for a guest failed, as each system's sockets tell it; the
// player reads it in the game's words, never the system's.
enum class Failure {
    Refused,     // nothing listens there
    NoSuchHost,  // the name is not known
    NoAnswer,    // no answer in time, or no way there
    PortTaken,   // another program listens on the port here
    PortDenied,  // the system keeps the port for its own
    LinkLost,    // the link broke
    NetworkDown, // the system's network does not work
};
std::string callFailedText(Failure why, const std::string& address, std::uint16_t port);
std::string hostFailedText(Failure why, std::uint16_t port);
// A call is given up after this long.
constexpr int callLimitSeconds = 10;
extern const char* const askPortText;
// "Gioca in rete..." during a match.
extern const char* const quitQuestion;

} // namespace quindra::net
