#pragma once
// "Gioca in rete": host a match at this computer, or join one at another; while it waits
// it says for what, and "Annulla" stops waiting.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quindra::win32 {

class Network;

// Opens the dialog modal over `owner` and returns when it closes: true when a match with
// another computer began. `address` and `port`, when given, start at once as the command
// line asks (`address` empty: host on `port`).
bool showNetworkDialog(HWND owner, Network& network, const std::string* address = nullptr,
                       std::uint16_t port = 0);
// What the network says while the dialog is open.
void networkDialogStarted();
void networkDialogFailed(const std::string& why);
// What the dialog says while it waits.
void networkDialogWaiting(const std::string& text);

} // namespace quindra::win32
