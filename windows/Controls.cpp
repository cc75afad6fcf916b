#include "Controls.h"

#include "app/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace quindra {

QFont dialogFont(bool bold) {
    return gameFont(QStringLiteral("MS Sans Serif"), 8.25, bold);
}

QLabel* placedLabel(QWidget* parent, const QString& text, double left, double top, double width,
                    double height) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(toPixelQRect(left, top, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QPushButton* placedButton(QWidget* parent, const QString& text, double left, double top,
                          double width, double height) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(toPixelQRect(left, top, width, height));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace quindra
