// Twips to pixels, and the record of what changed on the court since its last paint: the
// part of drawing that every front-end shares.
#include "FakePlatform.h"

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

    // Each change, and the places it repaints: where the element was and where it is, one
    // rectangle when they overlap; a caption's box and its room to the next column; the
    // court's colour, everything; a column shown, the pause sign; only what lies within
    // the court's window.
    void changes_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("places");
        const auto row = [](const char* name, const char* change, const char* places) {
            QTest::newRow(name) << change << places;
        };
        row("nothing", "", "");
        row("a ball's step: apart", "step", "271,143 11x11 284,146 11x10");
        row("a racquet's step: overlapping", "racquet", "47,110 11x79");
        row("a point's caption", "point", "200,8 17x17");
        row("the other point's caption", "red point", "288,8 17x17");
        row("the board's title", "title", "224,8 68x25");
        row("a set's caption", "set", "192,32 20x17");
        row("the court's colour", "court", "0,0 497x338");
        row("the fifth set's columns", "five",
            "192,50 20x17 280,50 20x17 208,50 20x17 296,50 20x17");
        row("paused", "pause", "168,144 160x48");
        row("a ball past the end", "out", "271,143 11x11 492,143 5x11");
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
