// The court on high-density screens: at device pixel ratios 1, 1.5 and 2 every element
// lands where its twips say, scaled, with no gap or seam between them.
#include "app/Form1.h"

#include <QApplication>
#include <QtTest>

using namespace quindra;

namespace {

enum class Expect { Court, Line, Border, Fill, Any };

// What a point of a row or column should show: the element whose twips hold it, or Any
// within one device pixel of an edge, where rounding may go either way.
struct Span {
    double from, to; // twips
    Expect what;
};

Expect expectedAt(const std::vector<Span>& spans, double twips, double slack) {
    for (const Span& s : spans) {
        if (std::abs(twips - s.from) < slack || std::abs(twips - s.to) < slack)
            return Expect::Any;
        if (twips > s.from && twips < s.to)
            return s.what;
    }
    return Expect::Court;
}

bool shows(const QColor& c, Expect what, const QColor& fill) {
    switch (what) {
    case Expect::Court:
        return c == QColor(0, 128, 0);
    case Expect::Line:
    case Expect::Border:
        return c == Qt::white;
    case Expect::Fill:
        return c == fill;
    default:
        return true;
    }
}

QImage render(QWidget* court, qreal ratio) {
    QImage image(court->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta); // a gap would show it
    court->render(&image);
    return image;
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

  private slots:
    void courtLandsOnItsTwips_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void courtLandsOnItsTwips() {
        QFETCH(qreal, ratio);
        Form1 form;
        const GameCore& g = form.game();
        const QImage image = render(form.court(), ratio);
        const double twipsPerDevicePixel = 15.0 / ratio;
        const double slack = twipsPerDevicePixel * 1.01;

        // A row across the court above the racquets and below the board: border, the
        // service lines, the net, the border again, and court green between.
        const double rowTwips = 1500;
        const double line = 2 * 15; // half of a 4-pixel line
        const double courtRight = std::round(g.Campo.Width / 15) * 15;
        const std::vector<Span> row = {
            {0, 4 * 15, Expect::Border},
            {2280 - line, 2280 + line, Expect::Line},
            {3840 - line, 3840 + line, Expect::Line},
            {5280 - line, 5280 + line, Expect::Line},
            // The court's edges snap to whole logical pixels: 7452 twips end at 7455.
            {courtRight - 4 * 15, courtRight, Expect::Border},
        };
        const int y = int(rowTwips / twipsPerDevicePixel);
        for (int x = 0; x < image.width(); ++x) {
            const double twips = (x + 0.5) * twipsPerDevicePixel;
            const Expect what = expectedAt(row, twips, slack);
            if (twips > courtRight)
                continue; // past the court's own edge
            QVERIFY2(shows(image.pixelColor(x, y), what, Qt::white),
                     qPrintable(QStringLiteral("row x=%1 (%2 twips): %3")
                                    .arg(x)
                                    .arg(twips)
                                    .arg(image.pixelColor(x, y).name())));
        }

        // A column down the middle of each racquet: court, yellow outline, fill, outline.
        for (const Shape* racquet : {&g.Racchetta_Blu, &g.Racchetta_Rossa}) {
            const int x = int((racquet->Left + racquet->Width / 2) / twipsPerDevicePixel);
            const QColor fill = racquet == &g.Racchetta_Blu ? QColor(0, 0, 255) : QColor(192, 0, 0);
            const std::vector<Span> column = {
                {0, 4 * 15, Expect::Border},
                {racquet->Top + 15, racquet->Top + racquet->Height - 15, Expect::Fill},
                {racquet->Top, racquet->Top + 15, Expect::Any}, // the yellow outline
                {racquet->Top + racquet->Height - 15, racquet->Top + racquet->Height, Expect::Any},
                {g.Campo.Height - 4 * 15, 5070 + 15, Expect::Any}, // the border and below
            };
            for (int yy = 0; yy < image.height(); ++yy) {
                const double twips = (yy + 0.5) * twipsPerDevicePixel;
                const Expect what = expectedAt(column, twips, slack);
                QVERIFY2(shows(image.pixelColor(x, yy), what, fill),
                         qPrintable(QStringLiteral("column x=%1 y=%2 (%3 twips): %4")
                                        .arg(x)
                                        .arg(yy)
                                        .arg(twips)
                                        .arg(image.pixelColor(x, yy).name())));
            }
            // The outline is yellow where the twips put the racquet's top.
            const int top = int((racquet->Top + 7.5) / twipsPerDevicePixel);
            QCOMPARE(image.pixelColor(x, top), QColor(255, 255, 0));
        }

        // The ball's middle is yellow.
        const Shape& ball = g.Pallina;
        QCOMPARE(image.pixelColor(int((ball.Left + ball.Width / 2) / twipsPerDevicePixel),
                                  int((ball.Top + ball.Height / 2) / twipsPerDevicePixel)),
                 QColor(255, 255, 0));
    }
};

QTEST_MAIN(HiDpiTest)
#include "test_hidpi.moc"
