#include "Modulo1.h"

#include "Numbers.h"

#include <algorithm>

namespace quindra {

std::int16_t AngoloTiro = 0;
std::string HelpFile;

namespace {
std::int16_t clampTo16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, INT16_MIN, INT16_MAX));
}
} // namespace

std::int16_t PercInAngolo(std::int16_t percentuale) {
    // Beyond -4752..4609 the value no longer fits: it saturates instead of wrapping.
    return clampTo16(roundHalfEven(percentuale / 100.0 * 700.0 + 500.0));
}

std::int16_t AngoloInPerc(std::int16_t angolo) {
    // Formed in 32 bits, so even the lowest values convert without overflow.
    const std::int32_t difference = static_cast<std::int32_t>(angolo) - 500;
    return clampTo16(roundHalfEven(difference / 700.0 * 100.0));
}

} // namespace quindra
