// The ball's vertical step when it leaves a racquet, or a random one for a serve.
#include "GameCore.h"

#include "Modulo1.h"
#include "Numbers.h"

namespace quindra {

std::int32_t GameCore::Rilascia_Effetto(std::int32_t Dis, const std::string& ColRac) {
    const Shape& racquet = ColRac == "R" ? Racchetta_Rossa : Racchetta_Blu;
    const std::int32_t h = roundHalfEven(racquet.Height);

    if (Dis == -1) {
        platform_.reseedRandom();
        const double r1 = platform_.drawRandom();
        const bool downward = wholePart(2.0 * r1 + 1.0) == 1;
        const double r2 = platform_.drawRandom();
        const std::int32_t magnitude = wholePart(100.0 * r2 + 1.0);
        return downward ? magnitude : -magnitude;
    }

    // Taken above the middle the ball flies up, below it down, at the middle straight.
    const double half = h / 2.0;
    if (half >= Dis) {
        const std::int32_t n = roundHalfEven(half - Dis);
        const std::int32_t product = n * static_cast<std::int32_t>(AngoloTiro);
        return -wholePart(product / static_cast<double>(h) / 2.0);
    }
    const std::int32_t n = roundHalfEven(Dis - half);
    const std::int32_t product = n * static_cast<std::int32_t>(AngoloTiro);
    return wholePart(product / static_cast<double>(h) / 2.0);
}

} // namespace quindra
