#pragma once
// Turns the host's key events into the two kinds of code the keyboard table reads:
// Windows virtual-key codes for key-down events and Windows-1252 codes for characters.
//
// Windows: the event's virtual-key code is taken as it is.
// X11 and Wayland: the code is derived from the keysym and the X keycode (X11Keys.h):
// the key left of Z is VK_OEM_102, the apostrophe key VK_OEM_7, minus VK_OEM_MINUS.
// Elsewhere, or where an event carries no native codes, the code comes from Qt's key
// and its keypad flag.
// The one known difference from Windows: on a non-US layout Windows names punctuation
// keys after that layout, while here they keep their US names by place.
#include <cstdint>
#include <vector>

#include <QString>

class QKeyEvent;

namespace quindra {

enum class KeySource { Windows, X11, Other };

struct NativeKey {
    KeySource source = KeySource::Other;
    std::uint32_t scanCode = 0;   // X keycode on X11 and Wayland
    std::uint32_t virtualKey = 0; // keysym on X11 and Wayland, virtual-key code on Windows
    std::uint32_t modifiers = 0;  // native modifier state
    int key = 0;                  // Qt::Key
    bool keypad = false;          // Qt::KeypadModifier
};

NativeKey nativeKeyOf(const QKeyEvent& event, const QString& platformName);

// The virtual-key code of a key-down event; 0 where the key has none.
std::uint16_t virtualKeyCode(const NativeKey& key);

// The character codes an event types, in order; characters without a code are left out.
std::vector<std::uint8_t> characterCodes(const QString& text);

} // namespace quindra
