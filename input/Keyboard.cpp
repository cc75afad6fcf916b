// Both players on one keyboard: every key-down code and every character code goes
// through one table.
#include "KeyBindings.h"
#include "app/GameCore.h"

#include <cstdlib>

namespace quindra {

namespace {
constexpr std::int32_t racquetStep = 250;
} // namespace

void GameCore::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
    ControllaTasti(KeyCode);
}

void GameCore::Form_KeyPress(std::int16_t KeyAscii) {
    ControllaTasti(KeyAscii);
}

void GameCore::moveUp(Shape& racquet, float left, float top) {
    if (racquet.Top > 50.0f)
        racquet.Move(left, static_cast<float>(static_cast<double>(top) - racquetStep));
}

void GameCore::moveDown(Shape& racquet, float top) {
    // Steps down while the lower edge is more than 250 twips above the window's outer height.
    const float lowest = static_cast<float>(racquet.Height + racquet.Top + 500.0f);
    const float limit = static_cast<float>(platform_.outerHeight() + 250.0f);
    if (limit > lowest)
        racquet.Move(racquet.Left, static_cast<float>(static_cast<double>(top) + racquetStep));
}

int GameCore::stepsWithinLimits(const Shape& racquet, int steps) const {
    // As many of `steps` (negative up) as the moves above would take, one after another.
    const float limit = static_cast<float>(platform_.outerHeight() + 250.0f);
    float top = racquet.Top;
    int taken = 0;
    for (; taken < std::abs(steps); ++taken) {
        if (steps < 0 ? !(top > 50.0f)
                      : !(limit > static_cast<float>(racquet.Height + top + 500.0f)))
            break;
        top =
            static_cast<float>(static_cast<double>(top) + (steps < 0 ? -racquetStep : racquetStep));
    }
    return steps < 0 ? -taken : taken;
}

void GameCore::ControllaTasti(std::int16_t KeyAscii) {
    const float redLeft = Racchetta_Rossa.Left;
    const float redTop = Racchetta_Rossa.Top;
    const float blueLeft = Racchetta_Blu.Left;
    const float blueTop = Racchetta_Blu.Top;

    switch (actionOf(KeyAscii)) {
    case KeyAction::Serve:
        // A serve is heard; a rally going on or taken up again after a pause is not.
        if (!platform_.clockEnabled() && !paused_)
            platform_.playSound(Sound::Serve);
        paused_ = false; // a running clock is no pause
        platform_.setClockEnabled(true);
        break;
    case KeyAction::RedNet:
        Racchetta_Rossa.Move(redNetColumn, Racchetta_Rossa.Top);
        break;
    case KeyAction::RedUp:
        moveUp(Racchetta_Rossa, redLeft, redTop);
        break;
    case KeyAction::RedBase:
        Racchetta_Rossa.Move(redBaseColumn, Racchetta_Rossa.Top);
        break;
    case KeyAction::RedDown:
        moveDown(Racchetta_Rossa, redTop);
        break;
    case KeyAction::RedSpin:
        if (PassoX < 0 && RiEffetto)
            PassoY = Rilascia_Effetto(-1, "R");
        break;
    case KeyAction::BlueUp:
        if (!Allenamento)
            moveUp(Racchetta_Blu, blueLeft, blueTop);
        break;
    case KeyAction::BlueSpin:
        if (PassoX > 0 && RiEffetto)
            PassoY = Rilascia_Effetto(-1, "R");
        break;
    case KeyAction::BlueNet:
        if (!Allenamento)
            Racchetta_Blu.Move(blueNetColumn, Racchetta_Blu.Top);
        break;
    case KeyAction::BlueDown:
        if (!Allenamento)
            moveDown(Racchetta_Blu, blueTop);
        break;
    case KeyAction::BlueBase:
        if (!Allenamento)
            Racchetta_Blu.Move(blueBaseColumn, Racchetta_Blu.Top);
        break;
    case KeyAction::None:
        break;
    }
}

} // namespace quindra
