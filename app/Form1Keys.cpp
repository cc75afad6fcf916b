// The main window's players: every key press goes to the game's key table, every held
// key repeats on its own, so both players can hold a key at once; the computer, when it
// plays, presses the right player's keys with a person's timing, and rests when a person
// could not play; a rally pauses when the keyboard leaves the game.
#include "CourtView.h"
#include "Form1.h"
#include "input/KeyTranslation.h"
#include "windows/frmColori.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyleHints>
#include <QWindow>

#include <utility>

namespace quindra {

namespace {

// The physical key: its scan code where the platform gives one, else Qt's key.
std::uint32_t keyId(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode();
    return 0x80000000u | static_cast<std::uint32_t>(event.key());
}

KeyPress pressOf(const QKeyEvent& event) {
    KeyPress press;
    press.id = keyId(event);
    static const QString platform = QGuiApplication::platformName(); // fixed for the run
    press.keyDown = virtualKeyCode(nativeKeyOf(event, platform));
    press.characters = characterCodes(event.text());
    return press;
}

} // namespace

void Form1::setUpKeyRepeat() {
    // Qt knows the desktop's repeat rate but not its delay; the delay is learnt from the
    // desktop's own repeats as the players hold keys.
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    heldKeys().setTiming(HeldKeys::defaultDelay,
                         rate > 0 ? 1000 / rate : HeldKeys::defaultInterval);
    sinceStart_.start();
    repeatTimer_.setTimerType(Qt::PreciseTimer);
    repeatTimer_.setSingleShot(true);
    connect(&repeatTimer_, &QTimer::timeout, this, &Form1::repeatHeldKeys);
    computerTimer_.setTimerType(Qt::PreciseTimer);
    computerTimer_.setSingleShot(true);
    connect(&computerTimer_, &QTimer::timeout, this, &Form1::computerMoves);
    // No key reaches the game while one of its menus is open, and none stays held; the
    // computer's hands rest there too.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            releaseHeldKeys();
            restComputer();
        });
        connect(menu, &QMenu::aboutToHide, this, &Form1::computerMoves, Qt::QueuedConnection);
    }
    keyboardWatch_ = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        pauseIfAway();
        computerMoves();
    });
}

void Form1::setRepeatClock(std::function<std::int64_t()> clock) {
    repeatClock_ = std::move(clock);
}

std::int64_t Form1::now() const {
    return repeatClock_ ? repeatClock_() : sinceStart_.elapsed();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (QApplication::activePopupWidget()) {
        releaseHeldKeys();
        return;
    }
    if (isGuest()) { // the host's game takes them
        net_.session()->keyDown(pressOf(*event), event->isAutoRepeat());
        return;
    }
    players_.keyDown(pressOf(*event), event->isAutoRepeat(), now());
    scheduleRepeat();
    court_->refreshNow();
    computerMoves();
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // The desktop's repeats come as release and press pairs: only a real release counts.
    if (event->isAutoRepeat())
        return;
    if (isGuest()) {
        net_.session()->keyUp(keyId(*event));
        return;
    }
    players_.keyUp(keyId(*event));
    scheduleRepeat();
}

void Form1::repeatHeldKeys() {
    if (players_.repeatHeldKeys(now()))
        court_->refreshNow();
    scheduleRepeat();
}

void Form1::scheduleRepeat() {
    using Action = HeldKeys::ClockPlan::Action;
    const std::int64_t at = now();
    const auto plan =
        players_.repeatClock(at, repeatTimer_.isActive() ? std::optional(repeatAt_) : std::nullopt);
    if (plan.action == Action::Stop) {
        repeatTimer_.stop();
    } else if (plan.action == Action::Set) {
        repeatAt_ = plan.at;
        repeatTimer_.start(static_cast<int>(plan.at - at));
    }
}

void Form1::releaseHeldKeys() {
    if (isGuest())
        net_.session()->releaseKeys();
    players_.releaseHeldKeys();
    repeatTimer_.stop();
}

bool Form1::playersCanMove() const {
    return isActiveWindow() && !isMinimized() && !QApplication::activePopupWidget() &&
           !QApplication::activeModalWidget();
}

void Form1::restComputer() {
    players_.restComputer();
    computerTimer_.stop();
}

void Form1::computerMoves() {
    if (players_.computerMoves(now(), playersCanMove()))
        court_->refreshNow();
    // Asked again when its next step can come; a tick or a key asks it sooner.
    const auto next = players_.nextComputerMove();
    if (!next) {
        computerTimer_.stop();
        return;
    }
    computerTimer_.start(static_cast<int>(std::max<std::int64_t>(*next - now(), 0)));
}

bool Form1::isOwnWindow(const QWidget* window) const {
    // The boxes and dialogs the game opens over the court, and the shot-angle dialog.
    if (window && window == angleDialog_.data())
        return true;
    for (const QWidget* w = window; w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

void Form1::pauseIfAway() {
    if (isMinimized() || !isOwnWindow(QApplication::activeWindow())) {
        if (isGuest())
            net_.session()->away(); // the rally is the host's: it pauses there
        else if (players_.pauseWhenAway()) {
            repeatTimer_.stop();
            court_->refresh();
        }
    }
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        releaseHeldKeys();
    if (event->type() == QEvent::WindowStateChange) {
        pauseIfAway();
        computerMoves();
    }
    QMainWindow::changeEvent(event);
}

void Form1::focusOutEvent(QFocusEvent* event) {
    releaseHeldKeys();
    QMainWindow::focusOutEvent(event);
}

} // namespace quindra
