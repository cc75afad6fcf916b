#pragma once
// The command line of the game: nothing for a match at one keyboard, `--host [PORT]` to
// wait for a guest, `--join HOST[:PORT]` to play at another computer's match.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quindra::net {

struct StartUp {
    enum class Mode { Local, Host, Join, Help, Error };
    Mode mode = Mode::Local;
    std::string host;       // Join
    std::uint16_t port = 0; // Host, Join
    std::string error;      // Error: what was wrong, for a line on the terminal
};

// The arguments after the program's name.
StartUp parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();

// A port as a player types it: digits only, 1 to 65535.
std::optional<std::uint16_t> parsePort(const std::string& text);
// A name or an address to join: letters, digits, dots, hyphens, and the colons of an IPv6
// address; nothing longer than a name can be.
bool validHostName(const std::string& name);
// "HOST", "HOST:PORT", "[IPV6]:PORT" or a bare IPv6 address.
std::optional<std::pair<std::string, std::uint16_t>> parseAddress(const std::string& text);

} // namespace quindra::net
