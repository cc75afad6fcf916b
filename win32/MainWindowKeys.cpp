// The main window's players on Windows: every key press goes to the game's key table with
// the characters it types, every held key repeats on its own, the computer presses the
// right player's keys when it plays and rests when a person could not, and a rally pauses
// when the keyboard leaves the game.
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

void setOneShot(HWND window, UINT_PTR timer, std::int64_t after) {
    SetTimer(window, timer, static_cast<UINT>(std::clamp<std::int64_t>(after, 1, 60000)), nullptr);
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
    players_.heldKeys().setTiming((delay + 1) * 250, static_cast<int>(1000.0 / perSecond + 0.5));
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
    const bool desktopRepeat = (flags & (1 << 30)) != 0;
    if (isGuest()) { // the host's game takes them
        net_->session()->keyDown(press, desktopRepeat);
        return;
    }
    players_.keyDown(press, desktopRepeat, now());
    scheduleRepeat();
    refresh(true);
    computerMoves();
}

void MainWindow::keyUp(WPARAM key, LPARAM flags) {
    if (isGuest()) {
        net_->session()->keyUp(keyId(key, flags));
        return;
    }
    players_.keyUp(keyId(key, flags));
    scheduleRepeat();
}

void MainWindow::repeatHeldKeys() {
    if (players_.repeatHeldKeys(now()))
        refresh(true);
    scheduleRepeat();
}

void MainWindow::scheduleRepeat() {
    using Action = HeldKeys::ClockPlan::Action;
    const std::int64_t at = now();
    const auto plan =
        players_.repeatClock(at, repeatSet_ ? std::optional(repeatAt_) : std::nullopt);
    if (plan.action == Action::Stop) {
        KillTimer(window_, repeatTimer);
        repeatSet_ = false;
    } else if (plan.action == Action::Set) {
        repeatAt_ = plan.at;
        repeatSet_ = true;
        setOneShot(window_, repeatTimer, plan.at - at);
    }
}

void MainWindow::releaseHeldKeys() {
    if (isGuest())
        net_->session()->releaseKeys();
    players_.releaseHeldKeys();
    KillTimer(window_, repeatTimer);
    repeatSet_ = false;
}

bool MainWindow::playersCanMove() const {
    // A modal window of the game disables this one.
    return GetActiveWindow() == window_ && !IsIconic(window_) && !inMenu_ &&
           IsWindowEnabled(window_);
}

void MainWindow::restComputer() {
    players_.restComputer();
    KillTimer(window_, computerTimer);
}

void MainWindow::computerMoves() {
    if (players_.computerMoves(now(), playersCanMove()))
        refresh(true);
    // Asked again when its next step can come; a tick or a key asks it sooner.
    const auto next = players_.nextComputerMove();
    if (!next) {
        KillTimer(window_, computerTimer);
        return;
    }
    setOneShot(window_, computerTimer, *next - now());
}

void MainWindow::pauseIfAway(HWND activated) {
    // The game's own boxes and dialogs are owned by this window; the shot-angle dialog is
    // the game's too.
    const bool own = activated && (GetAncestor(activated, GA_ROOTOWNER) == window_ ||
                                   activated == angleDialog());
    if ((IsIconic(window_) || !own) && isGuest()) {
        net_->session()->away(); // the rally is the host's: it pauses there
        return;
    }
    if ((IsIconic(window_) || !own) && players_.pauseWhenAway()) {
        KillTimer(window_, repeatTimer);
        repeatSet_ = false;
        refresh(false);
    }
}

} // namespace quindra::win32
