// The serve waits at the server's racquet until Space; the toss picks the first server.
#include "app/GameCore.h"

#include "app/Numbers.h"

namespace quindra {

void GameCore::batte() {
    if (Battuta != 0) {
        const Shape& r = Racchetta_Rossa;
        Pallina.Left = r.Left - Pallina.Width;
        Pallina.Top = r.Top + r.Height / 2.0f;
        PassoX = -200;
    } else {
        const Shape& r = Racchetta_Blu;
        Pallina.Left = r.Left + r.Width;
        Pallina.Top = r.Top + r.Height / 2.0f;
        PassoX = 200;
    }
    PassoY = Rilascia_Effetto(-1, "R");
    paused_ = false; // a new ball: nothing is left to resume
    platform_.setClockEnabled(false);
    platform_.repaint();
}

void GameCore::Sorteggio() {
    platform_.reseedRandom();
    const float r = platform_.drawRandom();
    const std::int32_t k = wholePart(2.0 * r + 1.0);
    Battuta = k == 1 ? 0 : 1;
}

} // namespace quindra
