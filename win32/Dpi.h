#pragma once
// The screen's dots per inch where a window is, and the frame a window of a given style
// has there. Both come from functions newer Windows versions have; older ones get the
// desktop's single setting.
#include <windows.h>

namespace quindra::win32 {

int dpiOf(HWND window);
// The whole window's size around a client area of `client`, at `dpi`.
SIZE frameAround(SIZE client, DWORD style, DWORD exStyle, bool menu, int dpi);

} // namespace quindra::win32
