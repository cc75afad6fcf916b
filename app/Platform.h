#pragma once
// Everything the rules need from the host, and nothing more. The main window
// provides it with Qt; the tests provide it with small fakes.
#include "Colours.h"
#include "Sounds.h"

#include <optional>
#include <string>

namespace quindra {

class Platform {
  public:
    virtual ~Platform() = default;

    // The game clock.
    virtual void setClockEnabled(bool enabled) = 0;
    virtual bool clockEnabled() const = 0;
    virtual void setClockInterval(int milliseconds) = 0;
    virtual int clockInterval() const = 0;

    // The main window's outer size in twips: frame, title bar and menu bar included.
    virtual float outerWidth() const = 0;
    virtual float outerHeight() const = 0;

    // Draw the main window now, not at the next idle moment.
    virtual void repaint() = 0;

    // A modal box with the exclamation-mark icon and one OK button; returns when closed.
    virtual void showMessage(const std::string& text) = 0;

    // The modal colour dialog, opened preset to `initial`; nothing when cancelled.
    virtual std::optional<Colour> pickColour(Colour initial) = 0;

    // What happened on the court, to be heard at once.
    virtual void playSound(Sound sound) = 0;

    // Random draws: reseed from the clock, then uniform draws in [0, 1).
    virtual void reseedRandom() = 0;
    virtual float drawRandom() = 0;
};

} // namespace quindra
