// Twips to pixels, and the record of what changed on the court since its last paint: the
// part of drawing that every front-end shares.
#include "FakePlatform.h"
#include "Rows.h"

#include "app/ChangeRecord.h"
#include "app/Layout.h"

#include <QtTest>

using namespace quindra;
using namespace quindra::testing;
using namespace std::string_literals;

namespace {

QString text(const std::vector<PixelRect>& rects) {
    QStringList parts;
    for (const PixelRect& r : rects)
        parts << QStringLiteral("%1,%2 %3x%4").arg(r.x).arg(r.y).arg(r.width).arg(r.height);
    return parts.join(' ');
}

constexpr PixelRect bounds{0, 0, 497, 338};

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    // Halves round away from zero; a racquet partly above the court keeps its place; each
    // edge of a rectangle is rounded on its own.
    void pixels() {
        QCOMPARE(toPixels(112.5), 8);
        QCOMPARE(toPixels(-112.5), -8);
        QCOMPARE(toPixels(-199), -13);
        QCOMPARE(toPixels(7), 0);
        QCOMPARE(toPixelRect(7, 7, 15, 15), (PixelRect{0, 0, 1, 1}));
        QCOMPARE(toPixelRect(720, 1920, 132, 900), (PixelRect{48, 128, 9, 60}));
        QCOMPARE(pointsToPixels(8.25), 11);
        QCOMPARE(setCaptionRoom, 11);
    }

    // At other dots per inch each edge is the twips' place there, rounded on its own;
    // widths in pixels scale with it; a place at 96 dpi covers all that a larger screen
    // draws there.
    void scaled_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("width"); // the client area
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("border");  // the court's, 4 at 96 dpi
        QTest::addColumn<int>("outline"); // the racquets', 1 at 96 dpi
        QTest::addColumn<QString>("racquet");
        QTest::newRow("96") << 96 << 497 << 338 << 4 << 1 << "48,128 9x60";
        QTest::newRow("120") << 120 << 621 << 423 << 5 << 1 << "60,160 11x75";
        QTest::newRow("144") << 144 << 746 << 507 << 6 << 2 << "72,192 13x90";
        QTest::newRow("192") << 192 << 994 << 676 << 8 << 2 << "96,256 18x120";
    }
    void scaled() {
        QFETCH(int, dpi);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, border);
        QFETCH(int, outline);
        QFETCH(QString, racquet);
        QCOMPARE(toPixelsAt(7455, dpi), width);
        QCOMPARE(toPixelsAt(5070, dpi), height);
        QCOMPARE(scaledWidth(4, dpi), border);
        QCOMPARE(scaledWidth(1, dpi), outline);
        const PixelRect r = toPixelRectAt(720, 1920, 132, 900, dpi);
        QCOMPARE(text({r}), racquet);
        // Every place of the ball, past either end too.
        for (int t = -300; t <= 7600; ++t) {
            const PixelRect at96 = toPixelRect(t, t, 132, 132);
            const PixelRect there = toPixelRectAt(t, t, 132, 132, dpi);
            QVERIFY2(coverAt(at96, dpi).united(there) == coverAt(at96, dpi),
                     qPrintable(QString::number(t)));
        }
    }

    // Each change, and the places it repaints: where the element was and where it is, one
    // rectangle when they overlap; a caption's box and its room to the next column; the
    // court's colour, everything; a column shown, the pause sign; only what lies within
    // the court's window.
    void changes_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("places");
        addRow("nothing", "", "");
        addRow("a ball's step: apart", "step", "271,143 11x11 284,146 11x10");
        addRow("a racquet's step: overlapping", "racquet", "47,110 11x79");
        addRow("a point's caption", "point", "200,8 17x17");
        addRow("the other point's caption", "red point", "288,8 17x17");
        addRow("the board's title", "title", "224,8 68x25");
        addRow("a set's caption", "set", "192,32 20x17");
        addRow("the court's colour", "court", "0,0 497x338");
        addRow("the fifth set's columns", "five",
               "192,50 20x17 280,50 20x17 208,50 20x17 296,50 20x17");
        addRow("paused", "pause", "168,144 160x48");
        addRow("a ball past the end", "out", "271,143 11x11 492,143 5x11");
    }

    void changes() {
        QFETCH(QString, change);
        QFETCH(QString, places);
        StartedGame s;
        GameCore& g = s.game;
        g.Pallina.Move(4080, 2160);
        g.Racchetta_Blu.Move(720, 1920);
        ChangeRecord record(g);
        if (change == "step")
            g.Pallina.Move(4280, 2200);
        else if (change == "racquet")
            g.Racchetta_Blu.Move(720, 1670);
        else if (change == "point")
            g.lblPuntoBlu.Caption = "15"s;
        else if (change == "red point")
            g.lblPuntoRosso.Caption = "V"s;
        else if (change == "title")
            g.Label1.Caption = "Punti"s;
        else if (change == "set")
            g.lblSet_Sin[0].Caption = "1"s;
        else if (change == "court")
            g.Campo.BackColor = rgb(1, 2, 3);
        else if (change == "five")
            g.mnuSet_Cinque_Click();
        else if (change == "pause")
            s.host.clock = true, g.pauseRally();
        else if (change == "out")
            g.Pallina.Move(7400, 2160);
        QCOMPARE(text(record.collect(bounds)), places);
        QCOMPARE(text(record.collect(bounds)), QString()); // and then nothing more
    }
};

QTEST_APPLESS_MAIN(LayoutTest)
#include "test_layout.moc"
