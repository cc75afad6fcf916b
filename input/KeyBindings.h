#pragma once
// Every key the game answers, once. The keyboard table reads key-down codes and character
// codes alike, so a code here is either or both: 56 is the 8 key going down and the '8' it
// types. The key table, the seats at two keyboards, the computer's hands, the network's
// check of a guest's key and the tests all read this table; there is no other list.
#include <array>
#include <cstdint>

namespace quindra {

enum class KeyAction {
    None,
    Serve,
    BlueUp,
    BlueDown,
    BlueNet,
    BlueBase,
    BlueSpin,
    RedUp,
    RedDown,
    RedNet,
    RedBase,
    RedSpin
};

// Whose the key is: both players serve, each racquet has its own keys.
enum class KeyOwner { Nobody, Both, Blue, Red };

struct KeyBinding {
    std::int16_t code;
    KeyAction action;
};

inline constexpr std::array<KeyBinding, 20> keyBindings{{
    {32, KeyAction::Serve},     // Space, and the space it types
    {38, KeyAction::RedUp},     // Up
    {56, KeyAction::RedUp},     // 8, on the top row or the keypad
    {222, KeyAction::RedUp},    // the apostrophe key
    {40, KeyAction::RedDown},   // Down
    {50, KeyAction::RedDown},   // 2
    {189, KeyAction::RedDown},  // minus
    {37, KeyAction::RedNet},    // Left
    {39, KeyAction::RedBase},   // Right
    {52, KeyAction::RedSpin},   // 4
    {65, KeyAction::BlueUp},    // A
    {97, KeyAction::BlueUp},    // a
    {119, KeyAction::BlueUp},   // w
    {90, KeyAction::BlueDown},  // Z
    {122, KeyAction::BlueDown}, // z
    {88, KeyAction::BlueNet},   // X
    {226, KeyAction::BlueBase}, // the key left of Z
    {60, KeyAction::BlueBase},  // "<": Shift and comma type it where there is no such key
    {83, KeyAction::BlueSpin},  // S
    {115, KeyAction::BlueSpin}, // s
}};

// The keys that pause a rally and resume it, by their key-down codes: P and Pause. The
// keyboard table has nothing for them; the players' side of the game takes them first.
inline constexpr std::uint16_t keyP = 80;
inline constexpr std::uint16_t keyPause = 19;

constexpr KeyAction actionOf(std::int32_t code) {
    for (const KeyBinding& binding : keyBindings)
        if (binding.code == code)
            return binding.action;
    return KeyAction::None;
}

constexpr KeyOwner ownerOf(KeyAction action) {
    switch (action) {
    case KeyAction::None:
        return KeyOwner::Nobody;
    case KeyAction::Serve:
        return KeyOwner::Both;
    case KeyAction::BlueUp:
    case KeyAction::BlueDown:
    case KeyAction::BlueNet:
    case KeyAction::BlueBase:
    case KeyAction::BlueSpin:
        return KeyOwner::Blue;
    default:
        return KeyOwner::Red;
    }
}

constexpr KeyOwner ownerOfCode(std::int32_t code) {
    return ownerOf(actionOf(code));
}

// The first code the table gives for `action`: the key a hand presses for it.
constexpr std::int16_t codeOf(KeyAction action) {
    for (const KeyBinding& binding : keyBindings)
        if (binding.action == action)
            return binding.code;
    return 0;
}

constexpr bool isPauseKey(std::uint32_t keyDown) {
    return keyDown == keyP || keyDown == keyPause;
}

} // namespace quindra
