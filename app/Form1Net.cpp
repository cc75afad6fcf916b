// The main window in a match over the network: the dialog that starts one, and the
// question before leaving one; the rest is the table's.
#include "Form1.h"
#include "net/Texts.h"
#include "windows/frmRete.h"

#include <QMessageBox>

namespace quindra {

void Form1::mnuRete_Click() {
    table_.windowOpened();
    if (table_.link().role()) {
        const auto answer = QMessageBox::question(this, QString::fromLatin1(applicationTitle),
                                                  QString::fromUtf8(net::quitQuestion));
        if (answer == QMessageBox::Yes)
            table_.link().quit();
        table_.windowClosed();
        return;
    }
    runNetworkDialog({});
}

void Form1::startNetworkMatch(const QString& address, quint16 port) {
    table_.windowOpened();
    runNetworkDialog([&address, port](frmRete& dialog) {
        if (address.isEmpty())
            dialog.hostOn(port);
        else
            dialog.joinAt(address, port);
    });
}

void Form1::runNetworkDialog(const std::function<void(frmRete&)>& start) {
    frmRete dialog(table_.link(), this);
    connect(this, &Form1::networkNews, &dialog, &frmRete::hear);
    if (start)
        start(dialog);
    dialog.exec();
    table_.windowClosed();
}

void Form1::tellNetworkDialog(DialogNews news, const std::string& text) {
    emit networkNews(news, QString::fromStdString(text));
}

} // namespace quindra
