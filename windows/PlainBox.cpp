#include "PlainBox.h"

#include <QMessageBox>

namespace quindra {

void warnPlainly(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace quindra
