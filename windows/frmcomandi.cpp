#include "frmcomandi.h"

#include "app/Twips.h"

#include <QPainter>
#include <QPushButton>

namespace quindra {

PictureBox::PictureBox(const QPixmap& picture, QWidget* parent)
    : QFrame(parent), picture_(picture) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setClipRect(contentsRect());
    p.drawPixmap(contentsRect().topLeft(), picture_); // neither stretched nor scaled
}

frmcomandi::frmcomandi(QWidget* owner) : FixedToolWindow(owner, 9075, 4410) {
    setObjectName(QStringLiteral("frmcomandi"));
    // An empty title would make the desktop show the program's name instead: a lone blank
    // keeps the title bar clear of text.
    setWindowTitle(QStringLiteral(" "));

    picture1_ = new PictureBox(QPixmap(QStringLiteral(":/assets/comandi.png")), this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(toPixelQRect(0, 0, 9075, 3795));

    command1_ = addOkButton(4080, 3960);

    setTabOrder(picture1_, command1_);
    picture1_->setFocus();
}

} // namespace quindra
