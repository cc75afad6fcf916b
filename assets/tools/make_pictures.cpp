// Draws the game's pictures into assets/: the window icon at 32 and 16 pixels, the About
// picture, the pointer over the About window's address and the key-commands picture.
// Run it once after changing a drawing and commit what it writes:
//   cmake --build build --target make_pictures && build/make_pictures assets
#include <QDir>
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
    seam.moveTo(s * 0.16, s * 0.26);
    seam.cubicTo(s * 0.42, s * 0.34, s * 0.42, s * 0.56, s * 0.20, s * 0.68);
    seam.moveTo(s * 0.70, s * 0.18);
    seam.cubicTo(s * 0.46, s * 0.30, s * 0.46, s * 0.56, s * 0.70, s * 0.70);
    p.drawPath(seam);
    p.end();
    // Sixteen colours, with the outside kept transparent.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, sixteenColours() << 0u,
                                           Qt::ThresholdDither | Qt::AvoidDither);
    return indexed;
}

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets"));
    const bool ok = save(icon(32), folder, QStringLiteral("icon32.png")) &&
                    save(icon(16), folder, QStringLiteral("icon16.png")) &&
                    save(aboutPicture(), folder, QStringLiteral("about.png")) &&
                    save(pointer(), folder, QStringLiteral("pointer.png")) &&
                    save(commandsPicture(), folder, QStringLiteral("comandi.png"));
    return ok ? 0 : 1;
}
