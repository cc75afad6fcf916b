#include "X11Keys.h"

#include <unordered_map>

namespace quindra {

namespace {

constexpr std::uint32_t XK_F1 = 0xffbe;
constexpr std::uint32_t XK_F24 = 0xffd5;
constexpr std::uint32_t XK_KP_0 = 0xffb0;
constexpr std::uint32_t XK_KP_9 = 0xffb9;

// Keysyms whose virtual-key code does not depend on the layout.
const std::unordered_map<std::uint32_t, std::uint16_t>& keysymCodes() {
    static const std::unordered_map<std::uint32_t, std::uint16_t> table{
        {0x0020, 0x20}, // space
        {0xff08, 0x08}, // BackSpace
        {0xff09, 0x09}, // Tab
        {0xfe20, 0x09}, // ISO_Left_Tab
        {0xff0d, 0x0D}, // Return
        {0xff13, 0x13}, // Pause
        {0xff14, 0x91}, // Scroll_Lock
        {0xff1b, 0x1B}, // Escape
        {0xff50, 0x24}, // Home
        {0xff51, 0x25}, // Left
        {0xff52, 0x26}, // Up
        {0xff53, 0x27}, // Right
        {0xff54, 0x28}, // Down
        {0xff55, 0x21}, // Prior
        {0xff56, 0x22}, // Next
        {0xff57, 0x23}, // End
        {0xff61, 0x2C}, // Print
        {0xff63, 0x2D}, // Insert
        {0xff67, 0x5D}, // Menu
        {0xff7f, 0x90}, // Num_Lock
        {0xff8d, 0x0D}, // KP_Enter
        {0xff95, 0x24}, // KP_Home
        {0xff96, 0x25}, // KP_Left
        {0xff97, 0x26}, // KP_Up
        {0xff98, 0x27}, // KP_Right
        {0xff99, 0x28}, // KP_Down
        {0xff9a, 0x21}, // KP_Prior
        {0xff9b, 0x22}, // KP_Next
        {0xff9c, 0x23}, // KP_End
        {0xff9d, 0x0C}, // KP_Begin: VK_CLEAR
        {0xff9e, 0x2D}, // KP_Insert
        {0xff9f, 0x2E}, // KP_Delete
        {0xffaa, 0x6A}, // KP_Multiply
        {0xffab, 0x6B}, // KP_Add
        {0xffac, 0x6C}, // KP_Separator
        {0xffad, 0x6D}, // KP_Subtract
        {0xffae, 0x6E}, // KP_Decimal
        {0xffaf, 0x6F}, // KP_Divide
        {0xffe1, 0x10}, // Shift_L
        {0xffe2, 0x10}, // Shift_R
        {0xffe3, 0x11}, // Control_L
        {0xffe4, 0x11}, // Control_R
        {0xffe5, 0x14}, // Caps_Lock
        {0xffe9, 0x12}, // Alt_L
        {0xffea, 0x12}, // Alt_R
        {0xfe03, 0x12}, // ISO_Level3_Shift (AltGr)
        {0xffeb, 0x5B}, // Super_L
        {0xffec, 0x5C}, // Super_R
        {0xffff, 0x2E}, // Delete
    };
    return table;
}

// X keycodes of the US layout's digit, punctuation and letter keys.
const std::unordered_map<std::uint32_t, std::uint16_t>& usPositions() {
    static const std::unordered_map<std::uint32_t, std::uint16_t> table{
        {10, '1'},  {11, '2'},  {12, '3'},  {13, '4'},  {14, '5'},  {15, '6'},  {16, '7'},
        {17, '8'},  {18, '9'},  {19, '0'},  {20, 0xBD}, {21, 0xBB}, {24, 'Q'},  {25, 'W'},
        {26, 'E'},  {27, 'R'},  {28, 'T'},  {29, 'Y'},  {30, 'U'},  {31, 'I'},  {32, 'O'},
        {33, 'P'},  {34, 0xDB}, {35, 0xDD}, {38, 'A'},  {39, 'S'},  {40, 'D'},  {41, 'F'},
        {42, 'G'},  {43, 'H'},  {44, 'J'},  {45, 'K'},  {46, 'L'},  {47, 0xBA}, {48, 0xDE},
        {49, 0xC0}, {51, 0xDC}, {52, 'Z'},  {53, 'X'},  {54, 'C'},  {55, 'V'},  {56, 'B'},
        {57, 'N'},  {58, 'M'},  {59, 0xBC}, {60, 0xBE}, {61, 0xBF}, {94, 0xE2},
    };
    return table;
}

} // namespace

std::uint16_t virtualKeyOfX11(std::uint32_t sym, std::uint32_t keycode) {
    if (sym >= XK_F1 && sym <= XK_F24)
        return static_cast<std::uint16_t>(VK_F1 + (sym - XK_F1));
    if (sym >= XK_KP_0 && sym <= XK_KP_9)
        return static_cast<std::uint16_t>(VK_NUMPAD0 + (sym - XK_KP_0));
    if (const auto found = keysymCodes().find(sym); found != keysymCodes().end())
        return found->second;
    if (sym >= 'a' && sym <= 'z')
        return static_cast<std::uint16_t>(sym - 'a' + 'A');
    if (sym >= 'A' && sym <= 'Z')
        return static_cast<std::uint16_t>(sym);
    if (const auto found = usPositions().find(keycode); found != usPositions().end())
        return found->second;
    return 0;
}

} // namespace quindra
