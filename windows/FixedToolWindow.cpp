#include "FixedToolWindow.h"

#include "app/Twips.h"

#include <QKeyEvent>

namespace quindra {

FixedToolWindow::FixedToolWindow(QWidget* owner, double clientWidth, double clientHeight)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setModal(true);
    // The layout is measured for the classic 8-point dialog font; a larger desktop default
    // would cut the labels short.
    setFont(gameFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    setWindowIcon(QIcon());
    setFixedSize(toPixelSize(clientWidth, clientHeight));
}

void FixedToolWindow::keyPressEvent(QKeyEvent* event) {
    // No button answers Escape or Enter here; the keys are kept from the game underneath.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FixedToolWindow::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget()) {
        QRect placed = frameGeometry();
        placed.moveCenter(owner->frameGeometry().center());
        move(placed.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace quindra
