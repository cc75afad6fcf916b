// Turns the game's pictures in assets/ into what a Windows program's resources hold:
// the window icon (16 and 32 pixels) as .ico, the pointer over the About window's
// address as a two-colour .cur with its hot spot, and the About and key-commands
// pictures as .bmp. Run it after changing a picture and commit what it writes:
//   cmake --build build --target make_windows_resources
//   build/make_windows_resources assets assets/windows
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

// The pixels of a device-independent bitmap inside an icon or cursor: its header (twice
// the height, for the colour and the mask), colour rows bottom up, then the mask rows.
QByteArray iconImage(const QImage& source, int bits) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    const int colourStride = bits == 32 ? w * 4 : ((w * bits + 31) / 32) * 4;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(bits) << quint32(0)
        << quint32((colourStride + maskStride) * h) << qint32(0) << qint32(0)
        << quint32(bits == 1 ? 2 : 0) << quint32(0);
    if (bits == 1)
        out << quint32(0x00000000) << quint32(0x00FFFFFF); // black, white
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(colourStride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            if (bits == 32) {
                row[4 * x] = char(qBlue(p));
                row[4 * x + 1] = char(qGreen(p));
                row[4 * x + 2] = char(qRed(p));
                row[4 * x + 3] = char(qAlpha(p));
            } else if (qAlpha(p) >= 128 && qGray(p) >= 128) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8))); // white
            }
        }
        out.writeRawData(row.constData(), row.size());
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) < 128) // see-through
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

// An .ico (type 1) or .cur (type 2) of the given images; a cursor's hot spot sits where an
// icon's planes and bits would.
QByteArray iconFile(int type, const QList<QImage>& images, int bits, QPoint hotSpot = {}) {
    QList<QByteArray> parts;
    for (const QImage& image : images)
        parts << iconImage(image, bits);
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(type) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const QImage& image = images[i];
        out << quint8(image.width()) << quint8(image.height()) << quint8(bits == 1 ? 2 : 0)
            << quint8(0);
        if (type == 2)
            out << quint16(hotSpot.x()) << quint16(hotSpot.y());
        else
            out << quint16(1) << quint16(bits);
        out << quint32(parts[i].size()) << offset;
        offset += quint32(parts[i].size());
    }
    for (const QByteArray& part : parts)
        out.writeRawData(part.constData(), part.size());
    return data;
}

bool write(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A picture as a .bmp: 8 bits a pixel when it has no more than 256 colours, else 24.
QByteArray bitmap(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (indexed.convertToFormat(QImage::Format_RGB32) == image)
        image = indexed;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ASSETS-FOLDER OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    const QImage icon32(in + QStringLiteral("icon32.png")),
        icon16(in + QStringLiteral("icon16.png"));
    const QImage pointer(in + QStringLiteral("pointer.png"));
    const QImage about(in + QStringLiteral("about.png")),
        comandi(in + QStringLiteral("comandi.png"));
    for (const QImage* image : {&icon32, &icon16, &pointer, &about, &comandi})
        if (image->isNull()) {
            std::fprintf(stderr, "a picture is missing from %s\n", qPrintable(in));
            return 1;
        }
    const bool ok =
        write(out + QStringLiteral("quindra.ico"), iconFile(1, {icon32, icon16}, 32)) &&
        write(out + QStringLiteral("pointer.cur"), iconFile(2, {pointer}, 1, {13, 9})) &&
        write(out + QStringLiteral("about.bmp"), bitmap(about)) &&
        write(out + QStringLiteral("comandi.bmp"), bitmap(comandi));
    return ok ? 0 : 1;
}
