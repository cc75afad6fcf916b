#pragma once
// Controls of the secondary windows, placed by their twips geometry at the window's dots
// per inch, in the classic 8-point dialog font that geometry was measured for.
#include <windows.h>

#include <string>

namespace quindra::win32 {

// A window class of the game's with the arrow pointer and the button face behind, made
// the first time it is asked for; returns its name.
const wchar_t* windowClass(const wchar_t* name, WNDPROC procedure);

// What a dialog box's own procedure does for its controls, done for a window of controls:
// Tab and Shift+Tab move the focus (IsDialogMessage asks with WM_NEXTDLGCTL), and the
// control that had the keyboard when the window lost it has it again when the window
// comes back. Called first by the window's procedure; true when the message is answered.
bool actAsDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A font of `points` at `dpi`; the caller deletes it.
HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold = false,
               bool underline = false);

// A child control of class `className` at the twips place given; `id` names it to its
// window.
HWND placeControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                  double left, double top, double width, double height, int id, int dpi, HFONT font,
                  DWORD exStyle = 0);

// A top-level window's place for a client area of `width` by `height` twips: the style's
// frame around it.
SIZE windowSizeFor(double width, double height, DWORD style, DWORD exStyle, int dpi);

// Shows `window` modal over `owner` and returns when it is destroyed: the owner takes no
// input meanwhile, and its posted messages (the game clock's ticks) go on arriving.
// `focus` has the keyboard when it opens.
void runModal(HWND window, HWND owner, HWND focus);

// A picture from the program's resources, or none.
HBITMAP loadPicture(int id);

} // namespace quindra::win32
