// Draws the game's pictures into assets/: the window icon at 32 and 16 pixels, the About
// picture, the pointer over the About window's address, the key-commands picture and the
// desktop icon (assets/icons/) at the sizes desktops ask for and as SVG.
// Run it once after changing a drawing and commit what it writes:
//   cmake --build build --target make_pictures && build/make_pictures assets
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

// The sixteen colours of the classic desktop palette.
QList<QRgb> sixteenColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// The white seam of the ball: two curves, in units of the icon's side.
struct Seam {
    QPointF start, control1, control2, end;
};
constexpr Seam seams[] = {
    {{0.16, 0.26}, {0.42, 0.34}, {0.42, 0.56}, {0.20, 0.68}},
    {{0.70, 0.18}, {0.46, 0.30}, {0.46, 0.56}, {0.70, 0.70}},
};

// A round yellow-and-white ball with a grey shadow at its lower right.
QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawEllipse(QRectF(s * 0.22, s * 0.22, s * 0.74, s * 0.74));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.74, s * 0.74));
    // The white seam of a tennis ball.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, size >= 32 ? 2.0 : 1.0));
    QPainterPath seam;
    for (const Seam& c : seams) {
        seam.moveTo(c.start * s);
        seam.cubicTo(c.control1 * s, c.control2 * s, c.end * s);
    }
    p.drawPath(seam);
    p.end();
    // Sixteen colours, with the outside kept transparent.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, sixteenColours() << 0u,
                                           Qt::ThresholdDither | Qt::AvoidDither);
    return indexed;
}

// The desktop icon: the window icon's ball, shadow and seam, on a court seen from above.
// One description, drawn as pixels at each size and written as SVG for any size.
namespace desktop {

constexpr qreal side = 256; // the description's units
const QRectF court(12, 12, 232, 232);
constexpr qreal courtCorner = 36;
constexpr qreal courtBorder = 8;
constexpr qreal lineWidth = 6;
const QLineF lines[] = {
    {128, 24, 128, 232}, {72, 24, 72, 232}, {184, 24, 184, 232}, {72, 128, 184, 128}};
// The window icon's ball fills 0.06 to 0.80 of its side, its shadow 0.22 to 0.96.
const QRectF ballSquare(36, 36, 184, 184); // where the window icon's square lands
constexpr qreal seamWidth = 8;

QPointF onBall(QPointF unit) {
    return ballSquare.topLeft() +
           QPointF(unit.x() * ballSquare.width(), unit.y() * ballSquare.height());
}
QRectF ballCircle(qreal from) {
    return QRectF(onBall({from, from}), onBall({from + 0.74, from + 0.74}));
}

const QColor courtGreen(0, 128, 0);
const QColor shadowGrey(128, 128, 128);
const QColor ballYellow(255, 255, 0);

QImage image(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / side, size / side);
    p.setPen(QPen(Qt::white, courtBorder));
    p.setBrush(courtGreen);
    p.drawRoundedRect(court, courtCorner, courtCorner);
    p.setPen(QPen(Qt::white, lineWidth, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& l : lines)
        p.drawLine(l);
    p.setPen(Qt::NoPen);
    p.setBrush(shadowGrey);
    p.drawEllipse(ballCircle(0.22));
    p.setBrush(ballYellow);
    p.drawEllipse(ballCircle(0.06));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, seamWidth, Qt::SolidLine, Qt::RoundCap));
    QPainterPath seam;
    for (const Seam& c : seams) {
        seam.moveTo(onBall(c.start));
        seam.cubicTo(onBall(c.control1), onBall(c.control2), onBall(c.end));
    }
    p.drawPath(seam);
    return image;
}

QString n(qreal v) {
    return QString::number(v, 'g', 6);
}
QString point(QPointF p) {
    return n(p.x()) + QLatin1Char(' ') + n(p.y());
}
QString circle(const QRectF& r, const QColor& fill) {
    return QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
        .arg(n(r.center().x()), n(r.center().y()), n(r.width() / 2), fill.name());
}

QString svg() {
    QString out = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
                      .arg(n(side));
    out += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
                          "fill=\"%6\" stroke=\"#ffffff\" stroke-width=\"%7\"/>\n")
               .arg(n(court.x()), n(court.y()), n(court.width()), n(court.height()), n(courtCorner),
                    courtGreen.name(), n(courtBorder));
    for (const QLineF& l : lines)
        out += QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" "
                              "stroke=\"#ffffff\" stroke-width=\"%5\"/>\n")
                   .arg(n(l.x1()), n(l.y1()), n(l.x2()), n(l.y2()), n(lineWidth));
    out += circle(ballCircle(0.22), shadowGrey);
    out += circle(ballCircle(0.06), ballYellow);
    QString path;
    for (const Seam& c : seams)
        path += QStringLiteral("M %1 C %2 %3 %4 ")
                    .arg(point(onBall(c.start)), point(onBall(c.control1)),
                         point(onBall(c.control2)), point(onBall(c.end)));
    out += QStringLiteral("  <path d=\"%1\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%2\" "
                          "stroke-linecap=\"round\"/>\n")
               .arg(path.trimmed(), n(seamWidth));
    out += QStringLiteral("</svg>\n");
    return out;
}

} // namespace desktop

// A court seen from above with a racquet and a ball in flight.
QImage aboutPicture() {
    QImage image(130, 133, QImage::Format_RGB32);
    image.fill(QColor(0, 100, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRectF(8, 8, 114, 117));
    p.drawLine(QPointF(65, 8), QPointF(65, 125));
    p.drawLine(QPointF(38, 8), QPointF(38, 125));
    p.drawLine(QPointF(92, 8), QPointF(92, 125));
    p.drawLine(QPointF(38, 66), QPointF(92, 66));
    p.setPen(QPen(QColor(255, 255, 0), 1));
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(QRectF(18, 40, 6, 36));
    p.setBrush(QColor(192, 0, 0));
    p.drawRect(QRectF(106, 56, 6, 36));
    p.setPen(QPen(QColor(255, 255, 0), 1, Qt::DotLine));
    p.drawLine(QPointF(27, 58), QPointF(74, 36));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(74, 30, 10, 10));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 96, 114, 24), Qt::AlignCenter, QStringLiteral("QUINDRA"));
    return image;
}

// A pointing hand in black and white, its fingertip at (13, 9).
QImage pointer() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath hand;
    hand.moveTo(11, 9);
    hand.lineTo(11, 4);
    hand.lineTo(12, 3);
    hand.lineTo(14, 3);
    hand.lineTo(15, 4);
    hand.lineTo(15, 12);
    hand.lineTo(18, 12);
    hand.lineTo(21, 13);
    hand.lineTo(24, 14);
    hand.lineTo(25, 16);
    hand.lineTo(25, 22);
    hand.lineTo(23, 26);
    hand.lineTo(12, 26);
    hand.lineTo(7, 19);
    hand.lineTo(7, 16);
    hand.lineTo(9, 15);
    hand.lineTo(11, 17);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(18, 12, 18, 17);
    p.drawLine(21, 13, 21, 17);
    p.end();
    return image;
}

// The key commands of both players: black on white, in Italian.
QImage commandsPicture() {
    QImage image(600, 247, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(Qt::black);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(20);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 4, 600, 28), Qt::AlignCenter, QStringLiteral("Comandi"));

    const int left = 20;
    const int top = 38;
    const int rowHeight = 29;
    const int firstColumn = 120;
    const int columnWidth = 220;
    const int rows = 7; // heading, four movements, a blank row, the serve
    const QRect frame(left, top, firstColumn + 2 * columnWidth, rows * rowHeight);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(frame);
    p.setPen(QPen(Qt::black, 1));
    for (int r = 1; r < rows; ++r)
        p.drawLine(left, top + r * rowHeight, frame.right(), top + r * rowHeight);
    p.drawLine(left + firstColumn, top, left + firstColumn, frame.bottom());
    p.drawLine(left + firstColumn + columnWidth, top, left + firstColumn + columnWidth,
               frame.bottom());

    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(14);
    heading.setBold(true);
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(14);

    auto cell = [&](int row, int column, const QString& text, const QFont& font) {
        const int x = column == 0 ? left : left + firstColumn + (column - 1) * columnWidth;
        const int w = column == 0 ? firstColumn : columnWidth;
        p.setFont(font);
        p.drawText(QRect(x, top + row * rowHeight, w, rowHeight), Qt::AlignCenter, text);
    };
    cell(0, 1, QStringLiteral("Giocatore Sinistro"), heading);
    cell(0, 2, QStringLiteral("Giocatore Destro"), heading);
    const QString rowsText[][3] = {
        {QStringLiteral("Su"), QStringLiteral("Tasto A"), QStringLiteral("Freccia su \u2191")},
        {QStringLiteral("Gi\u00f9"), QStringLiteral("Tasto Z"),
         QStringLiteral("Freccia gi\u00f9 \u2193")},
        {QStringLiteral("Dx"), QStringLiteral("Tasto X"), QStringLiteral("Freccia destra \u2192")},
        {QStringLiteral("Sx"), QStringLiteral("Tasto <"),
         QStringLiteral("Freccia sinistra \u2190")},
        {QString(), QString(), QString()},
        {QStringLiteral("Battuta"), QStringLiteral("Barra spaziatrice"),
         QStringLiteral("Barra spaziatrice")},
    };
    for (int r = 0; r < 6; ++r) {
        cell(r + 1, 0, rowsText[r][0], heading);
        cell(r + 1, 1, rowsText[r][1], body);
        cell(r + 1, 2, rowsText[r][2], body);
    }
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

bool saveText(const QString& text, const QDir& folder, const QString& name) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file.fileName()));
        return false;
    }
    std::printf("%s\n", qPrintable(file.fileName()));
    return true;
}

bool saveDesktopIcons(const QDir& folder) {
    if (!folder.mkpath(QStringLiteral("icons")))
        return false;
    const QDir icons(folder.filePath(QStringLiteral("icons")));
    for (const int size : {16, 32, 48, 64, 128, 256})
        if (!save(desktop::image(size), icons, QStringLiteral("quindra-%1.png").arg(size)))
            return false;
    return saveText(desktop::svg(), icons, QStringLiteral("quindra.svg"));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets"));
    const bool ok = save(icon(32), folder, QStringLiteral("icon32.png")) &&
                    save(icon(16), folder, QStringLiteral("icon16.png")) &&
                    save(aboutPicture(), folder, QStringLiteral("about.png")) &&
                    save(pointer(), folder, QStringLiteral("pointer.png")) &&
                    save(commandsPicture(), folder, QStringLiteral("comandi.png")) &&
                    saveDesktopIcons(folder);
    return ok ? 0 : 1;
}
