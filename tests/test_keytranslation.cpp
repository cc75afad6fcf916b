// Native key events, as recorded on X11, Wayland and Windows, to the codes the keyboard
// table reads.
#include "input/KeyTranslation.h"
#include "input/Windows1252.h"

#include <QKeyEvent>
#include <QtTest>

using namespace quindra;

namespace {

constexpr uint numLock = 0x10;

const struct {
    const char* name;
    const char* platform;
    uint keycode, native, state;
    int key;
    bool keypad;
    int code;
} keys[] = {
    // X11, US layout: keycode, keysym, state mask, Qt key.
    {"space", "xcb", 65, 0x20, 0, Qt::Key_Space, false, 32},
    {"F8", "xcb", 74, 0xffc5, 0, Qt::Key_F8, false, 119},
    {"F11", "xcb", 95, 0xffc8, 0, Qt::Key_F11, false, 122},
    {"Up", "xcb", 111, 0xff52, 0, Qt::Key_Up, false, 38},
    {"Left", "xcb", 113, 0xff51, 0, Qt::Key_Left, false, 37},
    {"Right", "xcb", 114, 0xff53, 0, Qt::Key_Right, false, 39},
    {"Down", "xcb", 116, 0xff54, 0, Qt::Key_Down, false, 40},
    {"keypad 1, Num Lock on", "xcb", 87, 0xffb1, numLock, Qt::Key_1, true, 97},
    {"keypad 1, Num Lock off", "xcb", 87, 0xff9c, 0, Qt::Key_End, true, 0x23},
    {"keypad 8, Num Lock off", "xcb", 80, 0xff97, 0, Qt::Key_Up, true, 38},
    // Non-US layouts keep the US names by place, letters by their keysym.
    {"Italian a grave", "xcb", 48, 0xe0, 0, Qt::Key_Agrave, false, 0xDE},
    {"UK backslash left of Z", "xcb", 94, 0x5c, 0, Qt::Key_Backslash, false, 0xE2},
    {"AZERTY parenthesis on minus", "xcb", 20, 0x29, 0, Qt::Key_ParenRight, false, 0xBD},
    {"AZERTY apostrophe on 4", "xcb", 13, 0x27, 0, Qt::Key_Apostrophe, false, 52},
    {"AZERTY underscore on 8", "xcb", 17, 0x5f, 0, Qt::Key_Underscore, false, 56},
    {"AZERTY a on the US q", "xcb", 24, 0x61, 0, Qt::Key_A, false, 65},
    {"AZERTY e acute on 2", "xcb", 11, 0xe9, 0, Qt::Key_Eacute, false, 50},
    {"Cyrillic ef on A", "xcb", 38, 0x6c6, 0, 0x424, false, 65},
    // Windows: the virtual-key code as it comes, only 1 to 254 being keys.
    {"Windows OEM_102", "windows", 86, 0xE2, 0, Qt::Key_Less, false, 0xE2},
    {"Windows 1", "windows", 30, 0x01, 0, 0, false, 1},
    {"Windows 255", "windows", 30, 0xFF, 0, 0, false, 0},
    {"Windows A beyond 16 bits", "windows", 30, 0x10041, 0, 0, false, 0},
    // No native codes: Qt's key and keypad flag.
    {"offscreen keypad 1", "offscreen", 0, 0, 0, Qt::Key_1, true, 97},
    {"offscreen digit 1", "offscreen", 0, 0, 0, Qt::Key_1, false, 49},
    {"offscreen less", "offscreen", 0, 0, 0, Qt::Key_Less, false, 0xE2},
    {"offscreen F11", "offscreen", 0, 0, 0, Qt::Key_F11, false, 122},
    {"offscreen keypad minus", "offscreen", 0, 0, 0, Qt::Key_Minus, true, 0x6D},
    {"unknown key", "offscreen", 0, 0, 0, Qt::Key_Eacute, false, 0},
};

} // namespace

class KeyTranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void keyDown() {
        for (const auto& k : keys) {
            const QKeyEvent event(QEvent::KeyPress, k.key,
                                  k.keypad ? Qt::KeypadModifier : Qt::NoModifier, k.keycode,
                                  k.native, k.state);
            const int got = virtualKeyCode(nativeKeyOf(event, QString::fromLatin1(k.platform)));
            QVERIFY2(got == k.code, qPrintable(QStringLiteral("%1: %2").arg(k.name).arg(got)));
        }
    }

    void characters() {
        const std::pair<QString, std::vector<std::uint8_t>> typed[] = {
            {QStringLiteral("a"), {97}},          {QString(QChar(0xE2)), {226}},
            {QString(QChar(0x20AC)), {128}},      {QStringLiteral("\r"), {13}},
            {QString(QChar(0x3B1)), {}},          {QString(), {}},
            {QStringLiteral("s4"), {115, 52}},    {QString::fromUcs4(U"\U0001F3BE"), {}},
            {QString(QChar(0xD83C)) + u'a', {97}}}; // a lone surrogate types nothing
        for (const auto& [text, codes] : typed)
            QCOMPARE(characterCodes(text), codes);
        // Windows-1252: ASCII and Latin-1 as they are, 27 more in 0x80-0x9F (up to the
        // capital Y with diaeresis), nothing else.
        int mapped = 0;
        for (char32_t c = 0; c < 0x10000; ++c)
            mapped += windows1252Code(c) ? 1 : 0;
        QCOMPARE(mapped, 128 + 96 + 27);
        QCOMPARE(*windows1252Code(0x178), 0x9F);
    }
};

QTEST_GUILESS_MAIN(KeyTranslationTest)
#include "test_keytranslation.moc"
