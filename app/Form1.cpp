#include "Form1.h"

#include "CourtView.h"
#include "MenuBarStyle.h"
#include "Twips.h"
#include "WindowFrame.h"
#include "windows/About.h"
#include "windows/frmColori.h"
#include "windows/frmcomandi.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

// The pictures live in a static library: the linker keeps them only when asked for.
static void loadPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace quindra {

namespace {
constexpr int startInterval = 100;
} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), game_(*this) {
    loadPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quindra Game"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/icon32.png"));
    icon.addFile(QStringLiteral(":/assets/icon16.png"));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    court_ = new CourtView(game_, this);
    court_->setFixedSize(toPixelSize(clientAreaWidth, clientAreaHeight));
    setCentralWidget(court_);
    menu_.build(menuBar());
    keepKeysFromTheMenuBar(menuBar());
    connectMenu();
    connectNetwork();

    // Windows' default timers sit on a 15.6 ms tick; the rally needs its exact interval.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(startInterval);
    // Each tick is painted before it returns, as an animation's frames should be: a
    // paint posted for later would cost the event loop a second round every tick.
    connect(&timer_, &QTimer::timeout, this, [this] {
        game_.Timer1_Timer();
        court_->refreshNow();
        computerMoves();
        scheduleRepeat();
    });

    // Nothing on the window takes the focus, so every key comes here.
    setFocusPolicy(Qt::StrongFocus);
    setUpKeyRepeat();

    Form_Load();
    showChecks();
    adjustSize();
    setFixedSize(size());
    centreOnScreen();
}

Form1::~Form1() {
    // The window's own going moves the keyboard: nothing of the game may answer that.
    disconnect(keyboardWatch_);
    timer_.stop();
}

CourtView* Form1::court() const {
    return court_;
}

void Form1::Form_Load() {
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    game_.Form_Load(folder.toStdString());
}

void Form1::connectMenu() {
    for (const MenuEntry& entry : menuEntries()) {
        if (entry.kind != MenuEntry::Kind::Item)
            continue;
        if (entry.command)
            connect(menu_[entry.item], &QAction::triggered, this,
                    [this, command = entry.command] { runCommand(command); });
        else
            connect(menu_[entry.item], &QAction::triggered, this,
                    [this, window = entry.window] { openWindow(window); });
    }
}

void Form1::runCommand(void (GameCore::*handler)()) {
    (game_.*handler)();
    showChecks();
    court_->refresh();
    computerMoves();
}

void Form1::showChecks() {
    // The game decides every check mark; Qt's own toggling on a click is overruled here.
    for (const MenuEntry& entry : menuEntries())
        if (entry.mark)
            menu_[entry.item]->setChecked(game_.menu.*entry.mark);
}

void Form1::openWindow(WindowCommand window) {
    switch (window) {
    case WindowCommand::Rete:
        mnuRete_Click();
        break;
    case WindowCommand::Angolo:
        mnuAngolo_Click();
        break;
    case WindowCommand::Sommario:
        mnuSommario_Click();
        break;
    case WindowCommand::Quindra:
        mnuQuindra_Click();
        break;
    case WindowCommand::None:
        break;
    }
}

void Form1::centreOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
}

void Form1::closeEvent(QCloseEvent* event) {
    // The court is gone: its clock goes with it, while the shot-angle dialog may stay. The
    // other computer, if any, hears that this one left.
    net_.quit();
    timer_.stop();
    QMainWindow::closeEvent(event);
}

void Form1::mnuAngolo_Click() {
    // A dialog that was closed is on its way out, even before it is deleted.
    if (angleDialog_ && angleDialog_->isVisible()) {
        if (angleDialog_->isMinimized()) // a minimised window still counts as visible
            angleDialog_->showNormal();
        angleDialog_->show();
        angleDialog_->raise();
        angleDialog_->activateWindow();
        return;
    }
    angleDialog_ = new frmColori();
    angleDialog_->show();
}

void Form1::mnuSommario_Click() {
    releaseHeldKeys();
    restComputer();
    frmcomandi window(this);
    window.exec();
    court_->refresh();
    computerMoves();
}

void Form1::mnuQuindra_Click() {
    releaseHeldKeys();
    restComputer();
    About window(this);
    window.exec();
    court_->refresh();
    computerMoves();
}

void Form1::setClockEnabled(bool enabled) {
    // Switching on a running clock changes nothing: restarting it would shift its ticks.
    if (enabled && !timer_.isActive()) {
        // A window manager may add its frame without moving the window: each rally reads
        // the frame afresh.
        outer_.reset();
        timer_.start();
    } else if (!enabled) {
        timer_.stop();
        scheduleRepeat();
    }
}

bool Form1::clockEnabled() const {
    return timer_.isActive();
}

void Form1::setClockInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
}

int Form1::clockInterval() const {
    return timer_.interval();
}

QSize Form1::outer() const {
    if (!outer_)
        outer_ = outerSize(*this);
    return *outer_;
}

float Form1::outerWidth() const {
    return toTwips(outer().width());
}

float Form1::outerHeight() const {
    return toTwips(outer().height());
}

bool Form1::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowStateChange:
    case QEvent::ScreenChangeInternal:
        outer_.reset(); // the frame may have changed with it
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void Form1::repaint() {
    court_->refreshNow();
}

void Form1::showMessage(const std::string& text) {
    // The box waits inside the tick: the final board must be on screen before it opens.
    // A match over the network: the guest sees the same box.
    if (net_.session())
        net_.session()->boxOpening();
    showBox(QString::fromStdString(text));
    if (net_.session())
        net_.session()->boxClosed();
}

std::optional<Colour> Form1::pickColour(Colour initial) {
    releaseHeldKeys();
    restComputer();
    const QColor chosen = QColorDialog::getColor(toQColor(initial, palette()), this, QString(),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

void Form1::reseedRandom() {
    random_.reseed();
}

float Form1::drawRandom() {
    return random_.draw();
}

} // namespace quindra
