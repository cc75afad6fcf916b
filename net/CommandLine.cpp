#include "CommandLine.h"

#include "Messages.h"

#include <algorithm>
#include <string_view>

namespace quindra::net {

std::optional<std::uint16_t> parsePort(const std::string& text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

bool validHostName(const std::string& name) {
    if (name.empty() || name.size() > 253 || name.front() == '-')
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == ':';
    });
}

std::optional<std::pair<std::string, std::uint16_t>> parseAddress(const std::string& text) {
    // Read through a view: no piece of the text is copied until the name is known good.
    const std::string_view all(text);
    std::string_view host = all;
    std::optional<std::uint16_t> port = defaultPort;
    if (!all.empty() && all.front() == '[') {
        const std::size_t close = all.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = all.substr(1, close - 1);
        const std::string_view rest = all.substr(close + 1);
        if (!rest.empty())
            port = rest.front() == ':' ? parsePort(std::string(rest.substr(1))) : std::nullopt;
    } else if (std::count(all.begin(), all.end(), ':') == 1) {
        const std::size_t colon = all.find(':');
        host = all.substr(0, colon);
        port = parsePort(std::string(all.substr(colon + 1)));
    }
    std::string name(host);
    if (!port || !validHostName(name))
        return std::nullopt;
    return std::pair{std::move(name), *port};
}

std::string usageText() {
    return "Usage: quindra [--host [PORT] | --join HOST[:PORT] | --help]\n"
           "A tennis match for two players.\n\n"
           "  (nothing)          both players at this keyboard\n"
           "  --host [PORT]      wait for a player at another computer, who plays the right\n"
           "                     racquet; PORT is the TCP port to listen on (default " +
           std::to_string(defaultPort) +
           ")\n"
           "  --join HOST[:PORT] play the right racquet in the match HOST is hosting;\n"
           "                     an IPv6 address goes in brackets: [::1]:" +
           std::to_string(defaultPort) +
           "\n"
           "  --help             show this text\n";
}

StartUp parseCommandLine(const std::vector<std::string>& arguments) {
    StartUp s;
    const auto error = [](std::string text) {
        StartUp e;
        e.mode = StartUp::Mode::Error;
        e.error = std::move(text);
        return e;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h")
            return StartUp{StartUp::Mode::Help, {}, 0, {}};
        if (s.mode != StartUp::Mode::Local)
            return error("only one of --host and --join, once: '" + a + "'");
        if (a == "--host") {
            s.mode = StartUp::Mode::Host;
            s.port = defaultPort;
            if (i + 1 < arguments.size() && arguments[i + 1].rfind("-", 0) != 0) {
                const auto port = parsePort(arguments[++i]);
                if (!port)
                    return error("not a port (1 to 65535): '" + arguments[i] + "'");
                s.port = *port;
            }
        } else if (a == "--join") {
            if (i + 1 >= arguments.size())
                return error("--join needs HOST[:PORT]");
            const auto address = parseAddress(arguments[++i]);
            if (!address)
                return error("not a host name or address with a port: '" + arguments[i] + "'");
            s.mode = StartUp::Mode::Join;
            s.host = address->first;
            s.port = address->second;
        } else {
            return error("unknown option '" + a + "'");
        }
    }
    return s;
}

} // namespace quindra::net
