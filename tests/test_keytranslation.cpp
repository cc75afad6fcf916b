// Native key events, as recorded on X11 and Windows, to the codes the keyboard table reads.
#include "input/KeyTranslation.h"

#include <QKeyEvent>
#include <QtTest>

using namespace quindra;

class KeyTranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void keyDown_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<uint>("keycode");
        QTest::addColumn<uint>("native");
        QTest::addColumn<uint>("state");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("code");
        const uint numLock = 0x10;
        // X11, US layout: keycode, keysym, state mask, Qt key.
        QTest::newRow("A") << "xcb" << 38u << 0x61u << 0u << int(Qt::Key_A) << false << 65;
        QTest::newRow("Shift+A") << "xcb" << 38u << 0x41u << 1u << int(Qt::Key_A) << false << 65;
        QTest::newRow("W") << "xcb" << 25u << 0x77u << 0u << int(Qt::Key_W) << false << 87;
        QTest::newRow("space") << "xcb" << 65u << 0x20u << 0u << int(Qt::Key_Space) << false << 32;
        QTest::newRow("left of Z")
            << "xcb" << 94u << 0x3cu << 0u << int(Qt::Key_Less) << false << 0xE2;
        QTest::newRow("apostrophe")
            << "xcb" << 48u << 0x27u << 0u << int(Qt::Key_Apostrophe) << false << 0xDE;
        QTest::newRow("minus") << "xcb" << 20u << 0x2du << 0u << int(Qt::Key_Minus) << false
                               << 0xBD;
        QTest::newRow("digit 2") << "xcb" << 11u << 0x32u << 0u << int(Qt::Key_2) << false << 50;
        QTest::newRow("at sign on 2")
            << "xcb" << 11u << 0x40u << 1u << int(Qt::Key_At) << false << 50;
        QTest::newRow("F1") << "xcb" << 67u << 0xffbeu << 0u << int(Qt::Key_F1) << false << 0x70;
        QTest::newRow("F4") << "xcb" << 70u << 0xffc1u << 0u << int(Qt::Key_F4) << false << 115;
        QTest::newRow("F8") << "xcb" << 74u << 0xffc5u << 0u << int(Qt::Key_F8) << false << 119;
        QTest::newRow("F11") << "xcb" << 95u << 0xffc8u << 0u << int(Qt::Key_F11) << false << 122;
        QTest::newRow("F12") << "xcb" << 96u << 0xffc9u << 0u << int(Qt::Key_F12) << false << 0x7B;
        QTest::newRow("Up") << "xcb" << 111u << 0xff52u << 0u << int(Qt::Key_Up) << false << 38;
        QTest::newRow("Left") << "xcb" << 113u << 0xff51u << 0u << int(Qt::Key_Left) << false << 37;
        QTest::newRow("keypad 1, Num Lock on")
            << "xcb" << 87u << 0xffb1u << numLock << int(Qt::Key_1) << true << 97;
        QTest::newRow("keypad 1, Num Lock off")
            << "xcb" << 87u << 0xff9cu << 0u << int(Qt::Key_End) << true << 0x23;
        QTest::newRow("keypad 8, Num Lock on")
            << "xcb" << 80u << 0xffb8u << numLock << int(Qt::Key_8) << true << 0x68;
        QTest::newRow("keypad 8, Num Lock off")
            << "xcb" << 80u << 0xff97u << 0u << int(Qt::Key_Up) << true << 38;
        QTest::newRow("keypad 5, Num Lock off")
            << "xcb" << 84u << 0xff9du << 0u << int(Qt::Key_Clear) << true << 0x0C;
        QTest::newRow("keypad Enter")
            << "xcb" << 104u << 0xff8du << 0u << int(Qt::Key_Enter) << true << 13;
        QTest::newRow("Escape") << "xcb" << 9u << 0xff1bu << 0u << int(Qt::Key_Escape) << false
                                << 27;
        // Non-US layouts keep the US names by place, letters by their keysym.
        QTest::newRow("Italian a grave")
            << "xcb" << 48u << 0xe0u << 0u << int(Qt::Key_Agrave) << false << 0xDE;
        QTest::newRow("AZERTY A place types q")
            << "xcb" << 38u << 0x71u << 0u << int(Qt::Key_Q) << false << 81;
        QTest::newRow("AZERTY e acute on 2")
            << "xcb" << 11u << 0xe9u << 0u << int(Qt::Key_Eacute) << false << 50;
        QTest::newRow("Cyrillic ef on A") << "xcb" << 38u << 0x6c6u << 0u << 0x424 << false << 65;
        QTest::newRow("Wayland too")
            << "wayland" << 52u << 0x7au << 0u << int(Qt::Key_Z) << false << 90;
        // Windows: the virtual-key code as it comes.
        QTest::newRow("Windows A")
            << "windows" << 30u << 0x41u << 0u << int(Qt::Key_A) << false << 65;
        QTest::newRow("Windows OEM_102")
            << "windows" << 86u << 0xE2u << 0u << int(Qt::Key_Less) << false << 0xE2;
        QTest::newRow("Windows numpad 1")
            << "windows" << 79u << 0x61u << 0u << int(Qt::Key_1) << true << 97;
        // No native codes: Qt's key and keypad flag.
        QTest::newRow("offscreen A")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_A) << false << 65;
        QTest::newRow("offscreen keypad 1")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_1) << true << 97;
        QTest::newRow("offscreen digit 1")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_1) << false << 49;
        QTest::newRow("offscreen less")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_Less) << false << 0xE2;
        QTest::newRow("offscreen F11")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_F11) << false << 122;
        QTest::newRow("offscreen keypad minus")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_Minus) << true << 0x6D;
        QTest::newRow("xcb with no native codes")
            << "xcb" << 0u << 0u << 0u << int(Qt::Key_Down) << false << 40;
        // Windows: the virtual-key code as it comes, but only the codes 1 to 254 are keys.
        QTest::newRow("Windows A")
            << "windows" << 30u << 0x41u << 0u << int(Qt::Key_A) << false << 65;
        QTest::newRow("Windows 255") << "windows" << 30u << 0xFFu << 0u << 0 << false << 0;
        QTest::newRow("Windows A beyond 16 bits")
            << "windows" << 30u << 0x10041u << 0u << 0 << false << 0;
        QTest::newRow("unknown key")
            << "offscreen" << 0u << 0u << 0u << int(Qt::Key_Eacute) << false << 0;
    }

    void keyDown() {
        QFETCH(QString, platform);
        QFETCH(uint, keycode);
        QFETCH(uint, native);
        QFETCH(uint, state);
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, keypad ? Qt::KeypadModifier : Qt::NoModifier,
                              keycode, native, state);
        QCOMPARE(int(virtualKeyCode(nativeKeyOf(event, platform))), code);
    }

    void characters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("small a") << "a" << QList<int>{97};
        QTest::newRow("a circumflex") << QString(QChar(0xE2)) << QList<int>{226};
        QTest::newRow("capital thorn") << QString(QChar(0xDE)) << QList<int>{222};
        QTest::newRow("one-half") << QString(QChar(0xBD)) << QList<int>{189};
        QTest::newRow("euro") << QString(QChar(0x20AC)) << QList<int>{128};
        QTest::newRow("keypad Enter") << "\r" << QList<int>{13};
        QTest::newRow("Greek alpha") << QString(QChar(0x3B1)) << QList<int>{};
        QTest::newRow("nothing typed") << QString() << QList<int>{};
        QTest::newRow("two characters") << "s4" << QList<int>{115, 52};
        QTest::newRow("outside the BMP") << QString::fromUcs4(U"\U0001F3BE") << QList<int>{};
    }

    void characters() {
        QFETCH(QString, text);
        QFETCH(QList<int>, codes);
        QList<int> got;
        for (const std::uint8_t c : characterCodes(text))
            got.append(c);
        QCOMPARE(got, codes);
    }
};

QTEST_GUILESS_MAIN(KeyTranslationTest)
#include "test_keytranslation.moc"
