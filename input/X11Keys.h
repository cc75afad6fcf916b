#pragma once
// The virtual-key code of a key-down event on X11 and Wayland, from the keysym and the X
// keycode:
//   - function keys, arrows, Space, Enter, Escape and the keypad from the keysym, so
//     keypad 1 gives VK_NUMPAD1 with Num Lock on and VK_END with it off, as on Windows;
//   - Latin letters from the keysym, folded to capitals;
//   - the top-row digits, the punctuation keys and (for non-Latin layouts) the letter
//     keys by their physical place on the US layout, as Windows' US layout names them.
// 0 where the key has none. Any front-end on X11 or Wayland reads its keys through this.
#include <cstdint>

namespace quindra {

inline constexpr std::uint16_t VK_NUMPAD0 = 0x60;
inline constexpr std::uint16_t VK_F1 = 0x70;

std::uint16_t virtualKeyOfX11(std::uint32_t keysym, std::uint32_t keycode);

} // namespace quindra
