#pragma once
// What the game's table needs from the window it plays in, and nothing more: timers, the
// time, the outer size, drawing, its boxes and dialogs, random draws. The Linux and the
// Windows windows provide it; the tests provide it with a fake.
#include "Colours.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quindra {

namespace net {
class Session;
}

// The table's timers: the game clock and two one-shot clocks of the players' hands.
enum class TimerId { Clock, KeyRepeat, Computer };

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
    // A person could play at this window now: it has the keyboard and is not minimised.
    // The table knows of its own menus, windows and boxes.
    virtual bool playersCanMove() const = 0;

    // A modal box with the exclamation-mark icon and one OK button, its text shown as it
    // is, never as markup; returns when closed.
    virtual void showBox(const std::string& text) = 0;
    // The modal colour dialog, opened preset to `initial`; nothing when cancelled.
    virtual std::optional<Colour> pickColour(Colour initial) = 0;

    // Random draws: reseed from the clock, then uniform draws in [0, 1).
    virtual void reseedRandom() = 0;
    virtual float drawRandom() = 0;

    // The match with another computer under way, if any.
    virtual net::Session* session() const = 0;
};

} // namespace quindra
