#pragma once
// "Gioca in rete": host a match at this computer, or join one at another; while it waits
// it says for what, and "Annulla" stops waiting.
#include "app/Desktop.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quindra {

namespace net {
class Connection;
}

class frmRete : public QDialog {
    Q_OBJECT

  public:
    frmRete(net::Connection& link, QWidget* parent);

    // As the command line asks: the choice made and started at once.
    void hostOn(quint16 port);
    void joinAt(const QString& address, quint16 port);
    // What the link says while the dialog is open.
    void hear(DialogNews news, const QString& text);

    QRadioButton* optOspita() const { return optOspita_; }
    QRadioButton* optUnisciti() const { return optUnisciti_; }
    QSpinBox* txtPortaOspita() const { return portaOspita_; }
    QLineEdit* txtIndirizzo() const { return indirizzo_; }
    QSpinBox* txtPorta() const { return porta_; }
    QLabel* lblStato() const { return stato_; }
    QPushButton* cmdAvvia() const { return avvia_; }
    QPushButton* cmdAnnulla() const { return annulla_; }

  protected:
    void done(int result) override;

  private:
    void cmdAvvia_Click();
    void showChoice();
    void showWaiting(const QString& what);
    void callFailed(const QString& why);

    net::Connection& link_;
    QRadioButton* optOspita_ = nullptr;
    QRadioButton* optUnisciti_ = nullptr;
    QSpinBox* portaOspita_ = nullptr;
    QLineEdit* indirizzo_ = nullptr;
    QSpinBox* porta_ = nullptr;
    QLabel* stato_ = nullptr;
    QPushButton* avvia_ = nullptr;
    QPushButton* annulla_ = nullptr;
    bool waiting_ = false;
};

} // namespace quindra
