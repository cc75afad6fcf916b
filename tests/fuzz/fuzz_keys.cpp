// Fuzz target: arbitrary native keys (the platform, the scan code, the keysym or
// virtual-key code, the native modifiers, Qt's key and keypad flag) and typed text
// through the key translation.
#include "input/KeyTranslation.h"

#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t take32(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t value = 0;
    const std::size_t n = size < 4 ? size : 4;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quindra::NativeKey key;
    const std::uint32_t platform = take32(data, size);
    key.source = static_cast<quindra::KeySource>(platform % 3);
    key.keypad = (platform & 0x100) != 0;
    key.key = static_cast<int>(take32(data, size));
    key.scanCode = take32(data, size);
    key.virtualKey = take32(data, size);
    key.modifiers = take32(data, size);
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));

    // Windows names its keys 1 to 254; 0 is no key.
    if (quindra::virtualKeyCode(key) > 254)
        std::abort();
    // At most one character code for each character typed.
    if (quindra::characterCodes(text).size() > static_cast<std::size_t>(text.size()))
        std::abort();
    return 0;
}
