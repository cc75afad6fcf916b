#include "Twips.h"

#include <QFontDatabase>
#include <QHash>

namespace quindra {

QColor toQColor(Colour colour, const QPalette& palette) {
    if (!isSystemColour(colour))
        return QColor(static_cast<int>(redOf(colour)), static_cast<int>(greenOf(colour)),
                      static_cast<int>(blueOf(colour)));
    switch (systemColourIndex(colour)) {
    case 4: // menu
        return palette.color(QPalette::Window);
    case 8: // window text
        return Qt::black;
    case 9: // caption text
        return Qt::white;
    case 15: // button face
        return palette.color(QPalette::Button);
    default:
        return palette.color(QPalette::Window);
    }
}

Colour fromQColor(const QColor& colour) {
    return rgb(static_cast<unsigned>(colour.red()), static_cast<unsigned>(colour.green()),
               static_cast<unsigned>(colour.blue()));
}

QFont gameFont(const QString& family, double points, bool bold, bool underline) {
    // Looking a family up is slow; the answer never changes while the game runs.
    static QHash<QString, bool> installed;
    auto found = installed.find(family);
    if (found == installed.end())
        found = installed.insert(family, QFontDatabase::families().contains(family));
    QFont font;
    if (*found)
        font.setFamily(family);
    else
        font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace quindra
