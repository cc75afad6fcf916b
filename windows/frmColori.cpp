#include "frmColori.h"

#include "Controls.h"
#include "app/Modulo1.h"
#include "app/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace quindra {

namespace {

// Where the dialog's client area opens on the screen, in twips.
constexpr double screenLeft = 1650;
constexpr double screenTop = 2100;

} // namespace

frmColori::frmColori(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmColori"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads it: the next opening starts afresh
    setWindowTitle(QStringLiteral("Angolo di Tiro"));
    setWindowIcon(QIcon());
    setFont(dialogFont()); // as the layout was measured

    // The outline lies beneath everything else.
    auto* shape1 = new QFrame(this);
    shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape1->setLineWidth(1);
    shape1->setGeometry(toPixelQRect(108, 96, 4584, 1356));

    hScroll1_ = new QScrollBar(Qt::Horizontal, this);
    hScroll1_->setObjectName(QStringLiteral("HScroll1"));
    hScroll1_->setGeometry(toPixelQRect(960, 600, 1932, 270));
    hScroll1_->setRange(0, 100);
    hScroll1_->setSingleStep(1);
    hScroll1_->setPageStep(10);
    hScroll1_->setTracking(false); // the text follows when the value settles, not while dragging
    hScroll1_->setFocusPolicy(Qt::StrongFocus);

    placedLabel(this, QStringLiteral("Min"), 960, 360, 336, 240)
        ->setObjectName(QStringLiteral("Red"));

    txtPerc_ = new QLineEdit(QStringLiteral("100"), this);
    txtPerc_->setObjectName(QStringLiteral("txtPerc"));
    txtPerc_->setGeometry(toPixelQRect(3000, 600, 405, 285));
    txtPerc_->setEnabled(false);

    command1_ = placedButton(this, QStringLiteral("Ok"), 4920, 240, 852, 372);
    command1_->setObjectName(QStringLiteral("Command1"));
    command2_ = placedButton(this, QStringLiteral("Annulla"), 4920, 840, 852, 372);
    command2_->setObjectName(QStringLiteral("Command2"));

    placedLabel(this, QStringLiteral("Max"), 2520, 360, 336, 240)
        ->setObjectName(QStringLiteral("Label1"));

    setTabOrder(hScroll1_, command1_);
    setTabOrder(command1_, command2_);

    connect(hScroll1_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(0); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });

    const QRect client(toPixels(screenLeft), toPixels(screenTop), toPixels(6000), toPixels(1635));
    setGeometry(client);
    Form_Load();
    hScroll1_->setFocus();
}

void frmColori::Form_Load() {
    hScroll1_->setValue(AngoloInPerc(AngoloTiro));
    txtPerc_->setText(QString::number(AngoloInPerc(AngoloTiro)));
}

void frmColori::HScroll1_Change(int /*Index*/) {
    txtPerc_->setText(QString::number(hScroll1_->value()));
}

void frmColori::Command1_Click() {
    // The box holds only what the bar wrote: a whole number from 0 to 100.
    bool ok = false;
    const int percent = txtPerc_->text().toInt(&ok);
    if (ok)
        AngoloTiro = PercInAngolo(static_cast<std::int16_t>(percent));
    close();
}

void frmColori::Command2_Click() {
    close();
}

} // namespace quindra
