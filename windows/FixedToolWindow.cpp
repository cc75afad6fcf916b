#include "FixedToolWindow.h"

#include "Controls.h"
#include "app/Twips.h"

#include <QKeyEvent>
#include <QPushButton>

namespace quindra {

FixedToolWindow::FixedToolWindow(QWidget* owner, double clientWidth, double clientHeight)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setModal(true);
    setFont(dialogFont()); // a larger desktop default would cut the labels short
    setWindowIcon(QIcon());
    setFixedSize(toPixelSize(clientWidth, clientHeight));
}

QPushButton* FixedToolWindow::addOkButton(double left, double top) {
    QPushButton* ok = placedButton(this, QStringLiteral("&Ok"), left, top, 1395, 345);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setFont(dialogFont(true));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    return ok;
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
