// The shot angle as a percentage and back, and the characters the keyboard table reads.
#include "app/Modulo1.h"
#include "input/Windows1252.h"

#include <QtTest>

#include <cmath>

using namespace quindra;

class ConversionsTest : public QObject {
    Q_OBJECT

  private slots:
    void angleAndPercentage() {
        QCOMPARE(AngoloInPerc(800), std::int16_t(43));     // the factory value shows as 43 ...
        QCOMPARE(PercInAngolo(43), std::int16_t(801));     // ... and comes back as 801
        QCOMPARE(PercInAngolo(4700), std::int16_t(32767)); // beyond the range: saturated
        QCOMPARE(AngoloInPerc(-32768), std::int16_t(-4753));
        for (int p = -4752; p <= 4609; ++p)
            QCOMPARE(int(PercInAngolo(static_cast<std::int16_t>(p))), 7 * p + 500);
        for (int a = -32268; a <= 32767; ++a)
            QCOMPARE(int(AngoloInPerc(static_cast<std::int16_t>(a))),
                     int(std::lround((a - 500) / 7.0)));
    }

    // Windows-1252: ASCII and Latin-1 as they are, 27 more in 0x80-0x9F, nothing else.
    void windows1252() {
        const std::pair<char32_t, int> known[] = {{0x20, 32},    {0x7F, 127}, {0x20AC, 0x80},
                                                  {0x178, 0x9F}, {0xBD, 189}, {0xE2, 226},
                                                  {0x81, -1},    {0x3B1, -1}, {0x1F3BE, -1}};
        for (const auto& [unicode, code] : known) {
            const auto got = windows1252Code(unicode);
            QCOMPARE(got ? int(*got) : -1, code);
        }
        int mapped = 0;
        for (char32_t c = 0; c < 0x10000; ++c)
            mapped += windows1252Code(c) ? 1 : 0;
        QCOMPARE(mapped, 128 + 96 + 27);
    }
};

QTEST_APPLESS_MAIN(ConversionsTest)
#include "test_conversions.moc"
