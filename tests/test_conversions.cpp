// The shot angle as a percentage and back, and the characters the keyboard table reads.
#include "app/Modulo1.h"
#include "input/Windows1252.h"

#include <QtTest>

#include <cmath>

using namespace quindra;

class ConversionsTest : public QObject {
    Q_OBJECT

  private slots:
    void wholeRanges() {
        QCOMPARE(PercInAngolo(0), std::int16_t(500));
        QCOMPARE(PercInAngolo(50), std::int16_t(850));
        QCOMPARE(PercInAngolo(100), std::int16_t(1200));
        QCOMPARE(AngoloInPerc(800), std::int16_t(43));     // the factory value shows as 43 ...
        QCOMPARE(PercInAngolo(43), std::int16_t(801));     // ... and comes back as 801
        QCOMPARE(PercInAngolo(4700), std::int16_t(32767)); // beyond the range: saturated
        QCOMPARE(AngoloInPerc(-32768), std::int16_t(-4753));
        for (int p = -4752; p <= 4609; ++p)
            QCOMPARE(int(PercInAngolo(static_cast<std::int16_t>(p))), 7 * p + 500);
        for (int a = -32268; a <= 32767; ++a)
            QCOMPARE(int(AngoloInPerc(static_cast<std::int16_t>(a))),
                     int(std::lround((a - 500) / 7.0)));
        for (int p = 0; p <= 100; ++p)
            QCOMPARE(int(AngoloInPerc(PercInAngolo(static_cast<std::int16_t>(p)))), p);
    }

    void windows1252_data() {
        QTest::addColumn<uint>("unicode");
        QTest::addColumn<int>("code");
        QTest::newRow("space") << 0x20u << 32;
        QTest::newRow("small a") << uint('a') << 97;
        QTest::newRow("delete") << 0x7Fu << 127;
        QTest::newRow("euro") << 0x20ACu << 0x80;
        QTest::newRow("capital Y diaeresis") << 0x178u << 0x9F;
        QTest::newRow("one-half") << 0xBDu << 189;
        QTest::newRow("capital thorn") << 0xDEu << 222;
        QTest::newRow("small a circumflex") << 0xE2u << 226;
        QTest::newRow("C1 control") << 0x81u << -1;
        QTest::newRow("Greek alpha") << 0x3B1u << -1;
        QTest::newRow("beyond the BMP") << 0x1F3BEu << -1;
    }

    void windows1252() {
        QFETCH(uint, unicode);
        QFETCH(int, code);
        const auto got = windows1252Code(static_cast<char32_t>(unicode));
        QCOMPARE(got ? int(*got) : -1, code);
    }

    void everyByteHasOneCharacter() {
        int mapped = 0;
        for (char32_t c = 0; c < 0x10000; ++c)
            mapped += windows1252Code(c) ? 1 : 0;
        QCOMPARE(mapped, 128 + 96 + 27);
    }
};

QTEST_APPLESS_MAIN(ConversionsTest)
#include "test_conversions.moc"
