#include "KeyTranslation.h"

#include "Windows1252.h"
#include "X11Keys.h"

#include <QKeyEvent>

#include <unordered_map>

namespace quindra {

namespace {

// Qt's keys, for events with no native codes (the offscreen platform, synthetic events).
std::uint16_t fromQtKey(const NativeKey& k) {
    const int key = k.key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint16_t>(k.keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(VK_F1 + (key - Qt::Key_F1));
    static const std::unordered_map<int, std::uint16_t> keypadKeys{
        {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},  {Qt::Key_Minus, 0x6D},
        {Qt::Key_Period, 0x6E},   {Qt::Key_Comma, 0x6C}, {Qt::Key_Slash, 0x6F},
    };
    if (k.keypad) {
        if (const auto found = keypadKeys.find(key); found != keypadKeys.end())
            return found->second;
    }
    static const std::unordered_map<int, std::uint16_t> keys{
        {Qt::Key_Space, 0x20},       {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},
        {Qt::Key_Backtab, 0x09},     {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},
        {Qt::Key_Escape, 0x1B},      {Qt::Key_Clear, 0x0C},     {Qt::Key_Pause, 0x13},
        {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},
        {Qt::Key_Home, 0x24},        {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},      {Qt::Key_Print, 0x2C},
        {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, 0x2E},    {Qt::Key_Shift, 0x10},
        {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},       {Qt::Key_AltGr, 0x12},
        {Qt::Key_CapsLock, 0x14},    {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91},
        {Qt::Key_Meta, 0x5B},        {Qt::Key_Menu, 0x5D},      {Qt::Key_Minus, 0xBD},
        {Qt::Key_Underscore, 0xBD},  {Qt::Key_Equal, 0xBB},     {Qt::Key_Plus, 0xBB},
        {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_BraceRight, 0xDD},  {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},
        {Qt::Key_Apostrophe, 0xDE},  {Qt::Key_QuoteDbl, 0xDE},  {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0},  {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC},
        {Qt::Key_Comma, 0xBC},       {Qt::Key_Period, 0xBE},    {Qt::Key_Slash, 0xBF},
        {Qt::Key_Question, 0xBF},    {Qt::Key_Less, 0xE2},      {Qt::Key_Greater, 0xE2},
    };
    if (const auto found = keys.find(key); found != keys.end())
        return found->second;
    return 0;
}

} // namespace

NativeKey nativeKeyOf(const QKeyEvent& event, const QString& platformName) {
    NativeKey k;
    if (platformName == QLatin1String("windows"))
        k.source = KeySource::Windows;
    else if (platformName == QLatin1String("xcb") ||
             platformName.startsWith(QLatin1String("wayland")))
        k.source = KeySource::X11;
    k.scanCode = event.nativeScanCode();
    k.virtualKey = event.nativeVirtualKey();
    k.modifiers = event.nativeModifiers();
    k.key = event.key();
    k.keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    return k;
}

std::uint16_t virtualKeyCode(const NativeKey& key) {
    const bool hasNative = key.scanCode != 0 || key.virtualKey != 0;
    if (hasNative && key.source == KeySource::Windows) {
        // Windows names its keys 1 to 254; anything else is no key, not a code to wrap.
        const bool isKey = key.virtualKey >= 1 && key.virtualKey <= 254;
        return isKey ? static_cast<std::uint16_t>(key.virtualKey) : 0;
    }
    if (hasNative && key.source == KeySource::X11) {
        if (const std::uint16_t code = virtualKeyOfX11(key.virtualKey, key.scanCode); code != 0)
            return code;
    }
    return fromQtKey(key);
}

std::vector<std::uint8_t> characterCodes(const QString& text) {
    // Read in place: this runs at every key. No character beyond the 16-bit range has a
    // code, so the halves of a surrogate pair are simply left out.
    std::vector<std::uint8_t> codes;
    for (const QChar c : text) {
        if (const auto code = windows1252Code(c.unicode()))
            codes.push_back(*code);
    }
    return codes;
}

} // namespace quindra
