// The main window's keyboard: each key event turned into the table's, with the physical
// key, its virtual-key code and the characters it types; and where the keyboard goes.
#include "Form1.h"
#include "input/KeyTranslation.h"
#include "windows/frmColori.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyleHints>
#include <QWindow>

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

void Form1::setUpKeyboard() {
    // Qt knows the desktop's repeat rate but not its delay; the delay is learnt from the
    // desktop's own repeats as the players hold keys.
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    table_.players().heldKeys().setTiming(HeldKeys::defaultDelay,
                                          rate > 0 ? 1000 / rate : HeldKeys::defaultInterval);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, [this] { table_.menuOpened(); });
        connect(
            menu, &QMenu::aboutToHide, this, [this] { table_.menuClosed(); }, Qt::QueuedConnection);
    }
    keyboardWatch_ = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (away())
            table_.keyboardLeft(true);
        else
            table_.lookAgain();
    });
}

void Form1::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (QApplication::activePopupWidget()) {
        table_.keyboardLeft(false);
        return;
    }
    table_.keyDown(pressOf(*event), event->isAutoRepeat());
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // The desktop's repeats come as release and press pairs: only a real release counts.
    if (!event->isAutoRepeat())
        table_.keyUp(keyId(*event));
}

bool Form1::playersCanMove() const {
    // A box or dialog of Qt's own over the court (a modal one) takes the keyboard too.
    return isActiveWindow() && !isMinimized() && !QApplication::activeModalWidget();
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

bool Form1::away() const {
    return isMinimized() || !isOwnWindow(QApplication::activeWindow());
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        table_.keyboardLeft(false);
    if (event->type() == QEvent::WindowStateChange) {
        if (away())
            table_.keyboardLeft(true);
        else
            table_.lookAgain();
    }
    QMainWindow::changeEvent(event);
}

void Form1::focusOutEvent(QFocusEvent* event) {
    table_.keyboardLeft(false);
    QMainWindow::focusOutEvent(event);
}

} // namespace quindra
