#pragma once
// The main window: the court, the menu bar and the game clock, and the host side of
// the game's Platform.
#include "ClockRandom.h"
#include "CourtView.h"
#include "GameCore.h"
#include "MenuTree.h"
#include "NetPlay.h"
#include "Platform.h"
#include "input/Players.h"
#include "net/OneBox.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace quindra {

class frmColori;
class frmRete;

inline constexpr char applicationTitle[] = "Quindra";

class Form1 : public QMainWindow, public Platform {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    GameCore& game() { return game_; }
    const MenuTree& menuTree() const { return menu_; }
    QTimer& Timer1() { return timer_; }
    CourtView* court() const;

    // Held keys repeat each on its own; the clock they are timed by can be replaced.
    HeldKeys& heldKeys() { return players_.heldKeys(); }
    void setRepeatClock(std::function<std::int64_t()> clock);
    void repeatHeldKeys();
    bool repeatPending() const { return repeatTimer_.isActive(); }

    // The computer at the right racquet moves, while "Computer" is checked and a person
    // could move: the window has the keyboard, and no menu or box of its own is open.
    void computerMoves();
    bool playersCanMove() const;
    const ComputerPlayer& computer() const { return players_.computer(); }

    // A match with another computer: its link, and the dialog that starts one, opened
    // already waiting as the command line asks (`address` empty: host on `port`).
    NetPlay& net() { return net_; }
    void startNetworkMatch(const QString& address, quint16 port);

    // Platform.
    void setClockEnabled(bool enabled) override;
    bool clockEnabled() const override;
    void setClockInterval(int milliseconds) override;
    int clockInterval() const override;
    float outerWidth() const override;
    float outerHeight() const override;
    void repaint() override;
    void showMessage(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void reseedRandom() override;
    float drawRandom() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Form_Load();
    void connectMenu();
    void runCommand(void (GameCore::*handler)());
    void openWindow(WindowCommand window);
    void showChecks();
    void centreOnScreen();
    void setUpKeyRepeat();
    void releaseHeldKeys();
    void scheduleRepeat();
    void restComputer();
    // Another program took the keyboard, or the window was minimised: a rally pauses.
    void pauseIfAway();
    bool isOwnWindow(const QWidget* window) const;
    std::int64_t now() const;
    QSize outer() const;
    void mnuRete_Click();
    void connectNetwork();
    // The menus and the title as a match over the network has them, or a local one.
    void showNetworkState();
    void showNetworkBox(const QString& text);
    // The game's message box, with the keys let go and the court shown first.
    void showBox(const QString& text);
    net::OneBox boxes_;
    // "Gioca in rete", started by `start` when given.
    void runNetworkDialog(const std::function<void(frmRete&)>& start);
    bool isGuest() const;
    void mnuAngolo_Click();
    void mnuSommario_Click();
    void mnuQuindra_Click();

    GameCore game_;
    ClockRandom random_;
    QTimer timer_;
    MenuTree menu_;
    CourtView* court_ = nullptr;
    QPointer<frmColori> angleDialog_;
    QTimer repeatTimer_;
    std::int64_t repeatAt_ = 0; // when it goes off, on now()'s clock
    QElapsedTimer sinceStart_;
    std::function<std::int64_t()> repeatClock_;
    Players players_{game_, *this};
    NetPlay net_{game_, *this, players_, [this] { return now(); }};
    QTimer computerTimer_;
    QMetaObject::Connection keyboardWatch_; // where the keyboard goes, application-wide
    // The outer size, read from the platform once and kept until the window changes: the
    // rally asks for it at every tick.
    mutable std::optional<QSize> outer_;
};

} // namespace quindra
