#pragma once
// The game's number conversions: rounding to the nearest with halves to the even
// neighbour, and the whole part taken by rounding down.
#include <cmath>
#include <cstdint>

namespace quindra {

// Nearest whole number, halves to even (the default rounding mode of the FPU).
inline std::int32_t roundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// The whole part of a value: rounded down, so -0.5 gives -1.
inline std::int32_t wholePart(double value) {
    return static_cast<std::int32_t>(std::floor(value));
}

} // namespace quindra
