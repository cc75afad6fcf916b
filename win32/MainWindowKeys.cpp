// The main window's keyboard on Windows: each key event turned into the table's, with the
// physical key, its virtual-key code and the characters it types; and where the keyboard
// goes.
#include "AngleDialog.h"
#include "MainWindow.h"
#include "input/Windows1252.h"

#include <algorithm>

namespace quindra::win32 {

namespace {

// The physical key: its scan code, with the extended-key bit that tells the arrows from
// the keypad's.
std::uint32_t keyId(WPARAM key, LPARAM flags) {
    const auto scan = static_cast<std::uint32_t>((flags >> 16) & 0x1FF);
    return scan != 0 ? scan : 0x80000000u | static_cast<std::uint32_t>(key);
}

} // namespace

void MainWindow::learnKeyRepeat() {
    // The desktop's settings: a delay of 0 to 3 (250 to 1000 ms) and a speed of 0 to 31
    // (about 2.5 to 30 repeats a second). Its own repeats refine them as keys are held.
    int delay = 1, speed = 31;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    delay = std::clamp(delay, 0, 3);
    speed = std::clamp(speed, 0, 31);
    const double perSecond = 2.5 + speed * (30.0 - 2.5) / 31.0;
    table_.players().heldKeys().setTiming((delay + 1) * 250,
                                          static_cast<int>(1000.0 / perSecond + 0.5));
}

void MainWindow::keyDown(WPARAM key, LPARAM flags) {
    KeyPress press;
    press.id = keyId(key, flags);
    press.keyDown = static_cast<std::uint16_t>(key);
    // The characters this press types are next in the queue: Windows put them there as it
    // translated the press.
    MSG typed;
    while (PeekMessageW(&typed, window_, WM_CHAR, WM_CHAR, PM_REMOVE))
        if (const auto code = windows1252Code(static_cast<char32_t>(typed.wParam)))
            press.characters.push_back(*code);
    table_.keyDown(press, (flags & (1 << 30)) != 0);
}

void MainWindow::keyUp(WPARAM key, LPARAM flags) {
    table_.keyUp(keyId(key, flags));
}

bool MainWindow::playersCanMove() const {
    return GetActiveWindow() == window_ && !IsIconic(window_);
}

bool MainWindow::away(HWND activated) const {
    // The game's own boxes and dialogs are owned by this window; the shot-angle dialog is
    // the game's too.
    const bool own = activated && (GetAncestor(activated, GA_ROOTOWNER) == window_ ||
                                   activated == angleDialog());
    return IsIconic(window_) || !own;
}

} // namespace quindra::win32
