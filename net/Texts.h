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
extern const char* const askPortText;
// "Gioca in rete..." during a match.
extern const char* const quitQuestion;

} // namespace quindra::net
