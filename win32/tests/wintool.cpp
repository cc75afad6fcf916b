// What the tests do to the game's windows from outside, as the desktop would: minimise
// and restore a window (as its taskbar button does), close it (as its close box does),
// say whether it is minimised (status 0 when it is), and tell where its client area lies
// on the screen and the whole window's size, in pixels. The main window unless the
// shot-angle dialog or the tool window open (the commands or About) is named. `boxtext` prints the
// text of the message box open, in UTF-8, as a player reads it; `text` the text of the
// window's edit box. Usage: wintool minimize|restore|close|iconic|client|text [angle|tool],
// or wintool boxtext
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// A message box is a dialog whose text is the static control 0xFFFF.
int printBoxText() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        const HWND text = GetDlgItem(w, 0xFFFF);
        if (!text || !IsWindowVisible(w))
            continue;
        wchar_t wide[1024] = {};
        const int n = GetWindowTextW(text, wide, 1024);
        char utf8[4096] = {};
        WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8 - 1, nullptr, nullptr);
        std::printf("%s\n", utf8);
        return 0;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "boxtext") == 0)
        return printBoxText();
    const char* named = argc == 3 ? argv[2] : "";
    const wchar_t* windowClass = std::strcmp(named, "angle") == 0  ? L"QuindraAngleDialog"
                                 : std::strcmp(named, "tool") == 0 ? L"QuindraToolWindow"
                                 : argc == 2                       ? L"QuindraMainWindow"
                                                                   : nullptr;
    HWND window = windowClass ? FindWindowW(windowClass, nullptr) : nullptr;
    if (argc < 2 || argc > 3 || !windowClass) {
        std::fprintf(stderr,
                     "usage: wintool minimize|restore|close|iconic|client|text [angle|tool]\n");
        return 2;
    }
    if (!window) {
        std::fprintf(stderr, "the window is not open\n");
        return 2;
    }
    if (std::strcmp(argv[1], "minimize") == 0) {
        ShowWindowAsync(window, SW_MINIMIZE);
    } else if (std::strcmp(argv[1], "restore") == 0) {
        ShowWindowAsync(window, SW_RESTORE);
    } else if (std::strcmp(argv[1], "close") == 0) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (std::strcmp(argv[1], "client") == 0) {
        RECT r{}, outer{};
        GetClientRect(window, &r);
        GetWindowRect(window, &outer);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom,
                    outer.right - outer.left, outer.bottom - outer.top);
    } else if (std::strcmp(argv[1], "iconic") == 0) {
        return IsIconic(window) ? 0 : 1;
    } else if (std::strcmp(argv[1], "text") == 0) {
        wchar_t text[64] = {};
        // Asked of the box itself: another program's box keeps no copy of its text.
        SendMessageW(FindWindowExW(window, nullptr, L"EDIT", nullptr), WM_GETTEXT, 64,
                     reinterpret_cast<LPARAM>(text));
        std::printf("%ls\n", text);
    } else {
        return 2;
    }
    return 0;
}
