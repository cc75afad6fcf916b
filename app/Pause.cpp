// A rally paused: the clock stops, the ball and its steps stay as they are.
#include "GameCore.h"

namespace quindra {

void GameCore::pauseRally() {
    // Only a ball in play can pause; the tick that ends a point has its own box open.
    if (paused_ || tickRunning_ || !platform_.clockEnabled())
        return;
    paused_ = true;
    platform_.setClockEnabled(false);
}

void GameCore::resumeRally() {
    if (!paused_)
        return;
    paused_ = false;
    platform_.setClockEnabled(true);
}

} // namespace quindra
