#include "frmRete.h"

#include "net/Connection.h"
#include "net/Messages.h"
#include "net/Texts.h"
#include "windows/PlainBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quindra {

namespace {

QSpinBox* portBox(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, 65535);
    box->setValue(net::defaultPort);
    return box;
}

} // namespace

frmRete::frmRete(net::Connection& link, QWidget* parent) : QDialog(parent), link_(link) {
    setObjectName(QStringLiteral("frmRete"));
    setWindowTitle(QStringLiteral("Gioca in rete"));

    optOspita_ = new QRadioButton(QStringLiteral("Ospita una partita: giochi a sinistra"), this);
    optOspita_->setObjectName(QStringLiteral("optOspita"));
    optOspita_->setChecked(true);
    portaOspita_ = portBox(this, "txtPortaOspita");
    optUnisciti_ =
        new QRadioButton(QStringLiteral("Unisciti a una partita: giochi a destra"), this);
    optUnisciti_->setObjectName(QStringLiteral("optUnisciti"));
    indirizzo_ = new QLineEdit(this);
    indirizzo_->setObjectName(QStringLiteral("txtIndirizzo"));
    indirizzo_->setPlaceholderText(QStringLiteral("nome o indirizzo di chi ospita"));
    indirizzo_->setMaxLength(253);
    porta_ = portBox(this, "txtPorta");
    stato_ = new QLabel(this);
    stato_->setObjectName(QStringLiteral("lblStato"));
    stato_->setWordWrap(true);
    stato_->setTextFormat(Qt::PlainText);
    stato_->setMinimumWidth(320);

    auto* hostForm = new QFormLayout;
    hostForm->addRow(QStringLiteral("Porta:"), portaOspita_);
    auto* joinForm = new QFormLayout;
    joinForm->addRow(QStringLiteral("Host:"), indirizzo_);
    joinForm->addRow(QStringLiteral("Porta:"), porta_);

    auto* buttons = new QDialogButtonBox(this);
    avvia_ = buttons->addButton(QStringLiteral("Avvia"), QDialogButtonBox::AcceptRole);
    avvia_->setObjectName(QStringLiteral("cmdAvvia"));
    annulla_ = buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    annulla_->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(avvia_, &QPushButton::clicked, this, &frmRete::cmdAvvia_Click);
    connect(annulla_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optOspita_);
    layout->addLayout(hostForm);
    layout->addWidget(optUnisciti_);
    layout->addLayout(joinForm);
    layout->addWidget(stato_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(optOspita_, &QRadioButton::toggled, this, &frmRete::showChoice);
    showChoice();
}

void frmRete::hostOn(quint16 port) {
    optOspita_->setChecked(true);
    portaOspita_->setValue(port);
    cmdAvvia_Click();
}

void frmRete::joinAt(const QString& address, quint16 port) {
    optUnisciti_->setChecked(true);
    indirizzo_->setText(address);
    porta_->setValue(port);
    cmdAvvia_Click();
}

void frmRete::cmdAvvia_Click() {
    const bool hosting = optOspita_->isChecked();
    const QSpinBox* port = hosting ? portaOspita_ : porta_;
    const net::Connection::Start start =
        link_.start(hosting, indirizzo_->text().toStdString(), std::to_string(port->value()));
    if (start.waiting) {
        showWaiting(QString::fromStdString(start.text));
        return;
    }
    showChoice();
    warnPlainly(this, windowTitle(), QString::fromStdString(start.text));
    if (!hosting)
        indirizzo_->setFocus();
}

void frmRete::showChoice() {
    waiting_ = false;
    const bool hosting = optOspita_->isChecked();
    optOspita_->setEnabled(true);
    optUnisciti_->setEnabled(true);
    portaOspita_->setEnabled(hosting);
    indirizzo_->setEnabled(!hosting);
    porta_->setEnabled(!hosting);
    avvia_->setEnabled(true);
    stato_->setText(QString::fromStdString(net::choiceText(hosting)));
}

void frmRete::showWaiting(const QString& what) {
    waiting_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{optOspita_, optUnisciti_, portaOspita_,
                                                      indirizzo_, porta_, avvia_})
        w->setEnabled(false);
    stato_->setText(what);
    annulla_->setFocus();
}

void frmRete::hear(DialogNews news, const QString& text) {
    switch (news) {
    case DialogNews::Started:
        accept();
        break;
    case DialogNews::Failed:
        callFailed(text);
        break;
    case DialogNews::TurnedAway:
        stato_->setText(text);
        break;
    }
}

void frmRete::callFailed(const QString& why) {
    if (!isVisible())
        return;
    showChoice();
    warnPlainly(this, windowTitle(), why);
}

void frmRete::done(int result) {
    // Closed while waiting, however it was closed: nobody waits any more.
    if (result == QDialog::Rejected && waiting_)
        link_.cancel();
    waiting_ = false;
    QDialog::done(result);
}

} // namespace quindra
