#pragma once
// The commands window and "About: Quindra": small fixed tool windows, modal over the main
// window, closed by their "&Ok" button or their frame, never by Escape or Enter.
#include <windows.h>

namespace quindra::win32 {

// Each opens the window, waits until it is closed, and returns.
void showCommands(HWND owner);
void showAbout(HWND owner);

} // namespace quindra::win32
