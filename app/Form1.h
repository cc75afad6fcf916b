#pragma once
// The main window: the court, the menu bar, the timers, the keyboard and the sockets of
// the game's table, with Qt.
#include "AlsaSound.h"
#include "ClockRandom.h"
#include "CourtView.h"
#include "Desktop.h"
#include "MenuTree.h"
#include "NetPlay.h"
#include "Table.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace quindra {

class frmColori;
class frmRete;

inline constexpr char applicationTitle[] = "Quindra";

class Form1 : public QMainWindow, public Desktop {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    Table& table() { return table_; }
    AlsaSound& sound() { return sound_; }
    GameCore& game() { return table_.game(); }
    const MenuTree& menuTree() const { return menu_; }
    CourtView* court() const;
    // The timer the table runs as `id`.
    QTimer& timer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }

    // A match with another computer: the sockets, and the dialog that starts one, opened
    // already waiting as the command line asks (`address` empty: host on `port`).
    NetPlay& net() { return net_; }
    void startNetworkMatch(const QString& address, quint16 port);

  signals:
    // What the link tells the "Gioca in rete" dialog.
    void networkNews(DialogNews news, const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  public:
    // Desktop.
    void startTimer(TimerId id, int milliseconds, bool periodic) override;
    void stopTimer(TimerId id) override;
    std::int64_t now() const override;
    float outerWidth() const override;
    float outerHeight() const override;
    void refresh(bool now) override;
    void showChecks() override;
    void enableItem(MenuItem item, bool enabled) override;
    void showTitle(const std::string& title) override;
    bool playersCanMove() const override;
    void showBox(const std::string& text) override;
    std::optional<Colour> pickColour(Colour initial) override;
    void tellNetworkDialog(DialogNews news, const std::string& text) override;
    void playSound(Sound sound) override { sound_.play(sound); }
    void reseedRandom() override;
    float drawRandom() override;
    net::Sockets& sockets() override { return net_; }

  private:
    void connectMenu();
    void openWindow(WindowCommand window);
    // A modal window of the game's, over the court.
    void runModal(QDialog& window);
    void centreOnScreen();
    void setUpTimers();
    void setUpKeyboard();
    // Another program took the keyboard, or the window was minimised: a rally pauses.
    bool away() const;
    bool isOwnWindow(const QWidget* window) const;
    QSize outer() const;
    void mnuRete_Click();
    // "Gioca in rete", started by `start` when given.
    void runNetworkDialog(const std::function<void(frmRete&)>& start);
    void mnuAngolo_Click();

    ClockRandom random_;
    MenuTree menu_;
    CourtView* court_ = nullptr;
    QPointer<frmColori> angleDialog_;
    std::array<QTimer, timerCount> timers_;
    QElapsedTimer sinceStart_;
    AlsaSound sound_;
    NetPlay net_; // before the table: its link says goodbye through the sockets
    Table table_{*this};
    QMetaObject::Connection keyboardWatch_; // where the keyboard goes, application-wide
    // The outer size, read from the platform once and kept until the window changes: the
    // rally asks for it at every tick.
    mutable std::optional<QSize> outer_;
};

} // namespace quindra
