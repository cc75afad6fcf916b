// The shot angle as a percentage and back, and the characters the keyboard table reads.
#include "app/Modulo1.h"
#include "input/Windows1252.h"

#include <QtTest>

#include <cmath>

using namespace quindra;

class ConversionsTest : public QObject {
    Q_OBJECT

  private slots:
    void percentToAngle_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("angle");
        QTest::newRow("0") << 0 << 500;
        QTest::newRow("43") << 43 << 801;
        QTest::newRow("50") << 50 << 850;
        QTest::newRow("100") << 100 << 1200;
        QTest::newRow("lowest exact") << -4752 << -32764;
        QTest::newRow("highest exact") << 4609 << 32763;
        QTest::newRow("beyond saturates") << 4700 << 32767;
    }

    void percentToAngle() {
        QFETCH(int, percent);
        QFETCH(int, angle);
        QCOMPARE(int(PercInAngolo(static_cast<std::int16_t>(percent))), angle);
    }

    void angleToPercent_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("percent");
        QTest::newRow("500") << 500 << 0;
        QTest::newRow("800 shows 43") << 800 << 43;
        QTest::newRow("801") << 801 << 43;
        QTest::newRow("850") << 850 << 50;
        QTest::newRow("1200") << 1200 << 100;
        QTest::newRow("lowest") << -32768 << -4753;
    }

    void angleToPercent() {
        QFETCH(int, angle);
        QFETCH(int, percent);
        QCOMPARE(int(AngoloInPerc(static_cast<std::int16_t>(angle))), percent);
    }

    void wholeRanges() {
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
