// A rally paused: the clock stops, the ball and its steps stay as they are.
#include "GameCore.h"

namespace quindra {

bool GameCore::pauseRally() {
    // Only a ball in play can pause; the tick that ends a point has its own box open.
    if (paused_ || tickRunning_ || !platform_.clockEnabled())
        return false;
    paused_ = true;
    platform_.setClockEnabled(false);
    return true;
}

bool GameCore::resumeRally() {
    if (!paused_)
        return false;
    paused_ = false;
    platform_.setClockEnabled(true);
    return true;
}

} // namespace quindra
