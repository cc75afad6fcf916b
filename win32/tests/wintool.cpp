// What the tests do to the game's windows from outside, as the desktop would: minimise
// and restore the main window (as its taskbar button does), close it (as its close box
// does), and tell where its client
// area lies on the screen and the whole window's size, in pixels.
// Usage: wintool minimize|restore|close|client
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    HWND game = FindWindowW(L"QuindraMainWindow", nullptr);
    if (argc != 2 || !game) {
        std::fprintf(stderr, argc != 2 ? "usage: wintool minimize|restore|close|client\n"
                                       : "the game's window is not open\n");
        return 2;
    }
    if (std::strcmp(argv[1], "minimize") == 0) {
        ShowWindowAsync(game, SW_MINIMIZE);
    } else if (std::strcmp(argv[1], "restore") == 0) {
        ShowWindowAsync(game, SW_RESTORE);
    } else if (std::strcmp(argv[1], "close") == 0) {
        PostMessageW(game, WM_CLOSE, 0, 0); // as its close box does
    } else if (std::strcmp(argv[1], "client") == 0) {
        RECT r{}, outer{};
        GetClientRect(game, &r);
        GetWindowRect(game, &outer);
        POINT origin{0, 0};
        ClientToScreen(game, &origin);
        std::printf("%ld %ld %ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom,
                    outer.right - outer.left, outer.bottom - outer.top);
    } else {
        return 2;
    }
    return 0;
}
