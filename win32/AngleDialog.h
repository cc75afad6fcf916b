#pragma once
// "Angolo di Tiro": the shot angle as a percentage on a scroll bar. Modeless and without
// an owner, so it can stay open beside the game and even outlive it.
#include <windows.h>

namespace quindra::win32 {

// Opens the dialog, or, when it is open, brings it to the front as it is (restored when
// minimised).
void openAngleDialog();
// The open dialog, or none: the message loop gives it its keys (Tab, arrows).
HWND angleDialog();

} // namespace quindra::win32
