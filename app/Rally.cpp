// One tick of the game clock: the ball's step, then the racquets, the edges and the ends.
#include "GameCore.h"

#include "Numbers.h"

#include <cstdlib>

namespace quindra {

namespace {

// Clears the flag when the tick returns, however it returns.
class TickGuard {
  public:
    explicit TickGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickGuard() { flag_ = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

  private:
    bool& flag_;
};

std::int32_t distanceBelowTop(const Shape& racquet, const Shape& ball) {
    return std::abs(roundHalfEven(racquet.Top) - roundHalfEven(ball.Top));
}

bool withinRacquetHeight(const Shape& racquet, const Shape& ball) {
    return ball.Top >= racquet.Top && ball.Top <= static_cast<float>(racquet.Top + racquet.Height);
}

} // namespace

void GameCore::Timer1_Timer() {
    // The tick that ends a match waits in a message box with the clock still on: any
    // tick that falls due meanwhile is dropped, or the ball would score again.
    if (tickRunning_)
        return;
    TickGuard guard(tickRunning_);

    const double left = static_cast<double>(Pallina.Left) + PassoX;
    const double top = static_cast<double>(Pallina.Top) + PassoY;
    Pallina.Move(static_cast<float>(left), static_cast<float>(top));

    if (Incontra_Rossa()) {
        PassoX = -PassoX;
        platform_.playSound(Sound::RedHit);
    } else if (Incontra_Blu()) {
        PassoX = -PassoX;
        platform_.playSound(Sound::BlueHit);
    } else if (Rimbalza()) {
        PassoY = -PassoY;
        platform_.playSound(Sound::Edge);
    } else if (Va_Fouri()) {
        std::int32_t vince = 0;
        if (Stabilisce_Vittoria() == "Blu")
            vince = 0;
        else if (Stabilisce_Vittoria() == "Rossa")
            vince = 1;
        else
            return;
        punteggio(vince);
        // A point that wins a game is heard as what it wins, once the board is counted.
        if ((vince != 0 ? lblPuntoRosso : lblPuntoBlu).Caption != "2V")
            platform_.playSound(Sound::Point);
        if (ControllaPartita(vince))
            Nuova_partita();
        else
            batte();
    }
}

bool GameCore::Incontra_Rossa() {
    const Shape& r = Racchetta_Rossa;
    const Shape& b = Pallina;
    const bool met = static_cast<float>(r.Left - 200.0f) <= b.Left &&
                     b.Left < static_cast<float>(r.Left + r.Width) && withinRacquetHeight(r, b);
    if (!met)
        return false;
    PassoY = Rilascia_Effetto(distanceBelowTop(r, b), "R");
    return true;
}

bool GameCore::Incontra_Blu() {
    const Shape& r = Racchetta_Blu;
    const Shape& b = Pallina;
    // The window is measured with the ball's own width, not the racquet's.
    const bool met = b.Left <= static_cast<float>(r.Left + b.Width + 100.0f) && b.Left > r.Left &&
                     withinRacquetHeight(r, b);
    if (!met)
        return false;
    PassoY = Rilascia_Effetto(distanceBelowTop(r, b), "B");
    return true;
}

bool GameCore::Rimbalza() {
    if (Pallina.Top <= 100.0f) {
        Pallina.Top = 101.0f;
        return true;
    }
    // The bottom edge sends back only a ball that is coming down: the place it puts the
    // ball back is itself inside the edge, and a ball already sent up must fly on.
    const float hw = platform_.outerHeight();
    if (PassoY > 0 && Pallina.Top >= static_cast<float>(hw - 750.0f)) {
        Pallina.Top = static_cast<float>(hw - 749.0f);
        return true;
    }
    return false;
}

bool GameCore::Va_Fouri() const {
    return Pallina.Left < 0.0f || Pallina.Left > platform_.outerWidth();
}

std::string GameCore::Stabilisce_Vittoria() const {
    if (Pallina.Left < 0.0f)
        return "Rossa";
    if (Pallina.Left > platform_.outerWidth())
        return "Blu";
    return "";
}

} // namespace quindra
