// The main window in a match over the network: the dialog that starts one, the menus the
// host's rules grey, the round trip in the title; the rest is the table's.
#include "Form1.h"
#include "net/NetMenu.h"
#include "net/Texts.h"
#include "windows/frmRete.h"

#include <QMessageBox>

namespace quindra {

void Form1::connectNetwork() {
    connect(&net_, &NetPlay::sessionStarted, this, [this] {
        showNetworkState();
        table_.linkStarted();
    });
    connect(&net_, &NetPlay::gameArrived, this, [this] { table_.linkChanged(); });
    connect(&net_, &NetPlay::roundTripChanged, this, &Form1::showNetworkState);
    connect(&net_, &NetPlay::boxToShow, this,
            [this](const QString& text) { table_.linkBox(text.toStdString()); });
    connect(&net_, &NetPlay::sessionEnded, this, [this](const QString& why) {
        showNetworkState();
        table_.linkEnded(why.toStdString());
    });
}

void Form1::showNetworkState() {
    const std::optional<net::Role> role = net_.role();
    for (const MenuEntry& entry : menuEntries())
        if (entry.kind == MenuEntry::Kind::Item)
            menu_[entry.item]->setEnabled(net::menuItemAvailable(entry.item, role));
    setWindowTitle(QString::fromStdString(net::windowTitle(net_.session())));
}

void Form1::mnuRete_Click() {
    table_.windowOpened();
    if (net_.role()) {
        const auto answer = QMessageBox::question(this, QString::fromLatin1(applicationTitle),
                                                  QString::fromUtf8(net::quitQuestion));
        if (answer == QMessageBox::Yes)
            net_.quit();
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
    frmRete dialog(net_, this);
    if (start)
        start(dialog);
    dialog.exec();
    table_.windowClosed();
}

} // namespace quindra
