#include "Form1.h"

#include "CourtView.h"
#include "MenuBarStyle.h"
#include "Twips.h"
#include "WindowFrame.h"
#include "windows/About.h"
#include "windows/PlainBox.h"
#include "windows/frmColori.h"
#include "windows/frmcomandi.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>

// The pictures live in a static library: the linker keeps them only when asked for.
static void loadPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace quindra {

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    loadPictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quindra Game"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/icon32.png"));
    icon.addFile(QStringLiteral(":/assets/icon16.png"));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    court_ = new CourtView(game(), this);
    court_->setFixedSize(toPixelSize(clientAreaWidth, clientAreaHeight));
    setCentralWidget(court_);
    menu_.build(menuBar());
    keepKeysFromTheMenuBar(menuBar());
    connectMenu();
    net_.attach(table_.link());
    setUpTimers();
    // Nothing on the window takes the focus, so every key comes here.
    setFocusPolicy(Qt::StrongFocus);
    setUpKeyboard();

    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    table_.start(folder.toStdString());
    showChecks();
    adjustSize();
    setFixedSize(size());
    centreOnScreen();
}

Form1::~Form1() {
    // The window's own going moves the keyboard: nothing of the game may answer that.
    disconnect(keyboardWatch_);
    net_.deafen();
    for (QTimer& t : timers_)
        t.stop();
}

CourtView* Form1::court() const {
    return court_;
}

void Form1::setUpTimers() {
    sinceStart_.start();
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        // Windows' default timers sit on a 15.6 ms tick; the rally needs its exact interval.
        timers_[i].setTimerType(Qt::PreciseTimer);
        connect(&timers_[i], &QTimer::timeout, this,
                [this, id = static_cast<TimerId>(i)] { table_.timerFired(id); });
    }
}

void Form1::startTimer(TimerId id, int milliseconds, bool periodic) {
    // A window manager may add its frame without moving the window: each rally reads the
    // frame afresh.
    if (id == TimerId::Clock)
        outer_.reset();
    QTimer& t = timer(id);
    t.setSingleShot(!periodic);
    t.start(milliseconds);
}

void Form1::stopTimer(TimerId id) {
    timer(id).stop();
}

std::int64_t Form1::now() const {
    return sinceStart_.elapsed();
}

void Form1::connectMenu() {
    for (const MenuEntry& entry : menuEntries()) {
        if (entry.kind != MenuEntry::Kind::Item)
            continue;
        if (entry.command)
            connect(menu_[entry.item], &QAction::triggered, this,
                    [this, command = entry.command] { table_.command(command); });
        else
            connect(menu_[entry.item], &QAction::triggered, this,
                    [this, window = entry.window] { openWindow(window); });
    }
}

void Form1::showChecks() {
    // The game decides every check mark; Qt's own toggling on a click is overruled here.
    for (const MenuEntry& entry : menuEntries())
        if (entry.mark)
            menu_[entry.item]->setChecked(game().menu.*entry.mark);
}

void Form1::enableItem(MenuItem item, bool enabled) {
    menu_[item]->setEnabled(enabled);
}

void Form1::showTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void Form1::openWindow(WindowCommand window) {
    switch (window) {
    case WindowCommand::Rete:
        mnuRete_Click();
        break;
    case WindowCommand::Angolo:
        mnuAngolo_Click();
        break;
    case WindowCommand::Sommario: {
        frmcomandi commands(this);
        runModal(commands);
        break;
    }
    case WindowCommand::Quindra: {
        About about(this);
        runModal(about);
        break;
    }
    case WindowCommand::None:
        break;
    }
}

void Form1::runModal(QDialog& window) {
    table_.windowOpened();
    window.exec();
    table_.windowClosed();
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
    // The shot-angle dialog may stay.
    table_.closing();
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

void Form1::refresh(bool now) {
    if (now)
        court_->refreshNow();
    else
        court_->refresh();
}

void Form1::showBox(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    warnPlainly(this, QString::fromLatin1(applicationTitle), shown);
}

std::optional<Colour> Form1::pickColour(Colour initial) {
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
