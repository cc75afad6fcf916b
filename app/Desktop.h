#pragma once
// What the game's table needs from the window it plays in, and nothing more: timers, the
// time, the outer size, drawing, its menus, title, boxes and dialogs, random draws, and
// its sockets. The Linux and the Windows windows provide it; the tests provide it with a
// fake.
#include "Colours.h"
#include "Sounds.h"
#include "options/Menu.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quindra {

namespace net {
class Sockets;
}

// The table's timers: the game clock, two one-shot clocks of the players' hands, and the
// network's poll (periodic), call limit and "after the news at hand".
enum class TimerId { Clock, KeyRepeat, Computer, LinkPoll, LinkCallLimit, LinkLater };
inline constexpr int timerCount = 6;

// What the "Gioca in rete" dialog hears while it is open: the match began (it closes), the
// call came to nothing (it says why and offers the choice again), or a caller was turned
// away (it says so and waits on).
enum class DialogNews { Started, Failed, TurnedAway };

class Desktop {
  public:
    virtual ~Desktop() = default;

    // Starts `id` afresh (a running one restarts): after `milliseconds`, then each as long
    // again when `periodic`. Each time it goes off, the window tells the table.
    virtual void startTimer(TimerId id, int milliseconds, bool periodic) = 0;
    virtual void stopTimer(TimerId id) = 0;
    // Milliseconds on a steady clock.
    virtual std::int64_t now() const = 0;

    // The main window's outer size in twips: frame, title bar and menu bar included.
    virtual float outerWidth() const = 0;
    virtual float outerHeight() const = 0;

    // Draws what changed on the court: at once, or at the next idle moment.
    virtual void refresh(bool now) = 0;
    // The menus' check marks, as the game has them.
    virtual void showChecks() = 0;
    // A menu item greyed or not, and the window's title.
    virtual void enableItem(MenuItem item, bool enabled) = 0;
    virtual void showTitle(const std::string& title) = 0;
    // A person could play at this window now: it has the keyboard and is not minimised.
    // The table knows of its own menus, windows and boxes.
    virtual bool playersCanMove() const = 0;

    // A modal box with the exclamation-mark icon and one OK button, its text shown as it
    // is, never as markup; returns when closed.
    virtual void showBox(const std::string& text) = 0;
    // The modal colour dialog, opened preset to `initial`; nothing when cancelled.
    virtual std::optional<Colour> pickColour(Colour initial) = 0;
    // Tells the "Gioca in rete" dialog, if it is open; `text` is the game's own.
    virtual void tellNetworkDialog(DialogNews news, const std::string& text) = 0;

    // A sound starts now, mixed with any playing; silence where the desktop has no sound.
    virtual void playSound(Sound sound) = 0;

    // Random draws: reseed from the clock, then uniform draws in [0, 1).
    virtual void reseedRandom() = 0;
    virtual float drawRandom() = 0;

    // The window's sockets, as pipes of bytes.
    virtual net::Sockets& sockets() = 0;
};

} // namespace quindra
