#pragma once
// "Gioca in rete": host a match at this computer, or join one at another; while it waits
// it says for what, and "Annulla" stops waiting.
#include "app/Desktop.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace quindra::net {
class Connection;
}

namespace quindra::win32 {

// Opens the dialog modal over `owner` and returns when it closes: true when a match with
// another computer began. `address` and `port`, when given, start at once as the command
// line asks (`address` empty: host on `port`).
bool showNetworkDialog(HWND owner, net::Connection& link, const std::string* address = nullptr,
                       std::uint16_t port = 0);
// What the link says while the dialog is open.
void tellNetworkDialog(DialogNews news, const std::string& text);

} // namespace quindra::win32
