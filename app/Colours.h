#pragma once
// Colours are 0x00BBGGRR, red in the lowest byte. 0x800000nn names the host's
// system colour nn.
#include <cstdint>

namespace quindra {

using Colour = std::uint32_t;

constexpr Colour rgb(unsigned red, unsigned green, unsigned blue) {
    return (blue << 16) | (green << 8) | red;
}
constexpr bool isSystemColour(Colour c) {
    return (c & 0xFF000000u) == 0x80000000u;
}
constexpr unsigned systemColourIndex(Colour c) {
    return c & 0xFFu;
}
constexpr unsigned redOf(Colour c) {
    return c & 0xFFu;
}
constexpr unsigned greenOf(Colour c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned blueOf(Colour c) {
    return (c >> 16) & 0xFFu;
}

namespace colours {
constexpr Colour white = 0x00FFFFFF;
constexpr Colour black = 0x00000000;
constexpr Colour green = 0x00008000;
constexpr Colour blue = 0x00FF0000;
constexpr Colour darkRed = 0x000000C0;
constexpr Colour darkBlue = 0x00C00000;
constexpr Colour red = 0x000000FF;
constexpr Colour yellow = 0x0000FFFF;
constexpr Colour lightGreen = 0x0080FF80;
constexpr Colour windowText = 0x80000008;  // system colour 8
constexpr Colour captionText = 0x80000009; // system colour 9
constexpr Colour menu = 0x80000004;        // system colour 4
constexpr Colour buttonFace = 0x8000000F;  // system colour 15

constexpr Colour wimbledon = 0x00004000;
constexpr Colour rolandGarros = 0x00404080;
constexpr Colour openUsa = 0x00808000;
} // namespace colours

} // namespace quindra
