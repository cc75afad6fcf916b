// The main window in a match over the network: the dialog that starts one, the menus the
// host's rules grey, the round trip in the title, the boxes either side shows.
#include "CourtView.h"
#include "Form1.h"
#include "net/NetMenu.h"
#include "net/Texts.h"
#include "windows/PlainBox.h"
#include "windows/frmRete.h"

#include <QMessageBox>

namespace quindra {

void Form1::connectNetwork() {
    // The host sends its board whenever the court is looked at for changes: after every
    // tick, key and command, before it is painted.
    court_->setChangeObserver([this] {
        if (net_.session())
            net_.session()->gameChanged();
    });
    connect(&net_, &NetPlay::sessionStarted, this, [this] {
        releaseHeldKeys();
        showNetworkState();
        showChecks();
        court_->refresh();
    });
    connect(&net_, &NetPlay::gameArrived, this, [this] {
        if (isGuest())
            showChecks();
        else
            scheduleRepeat(); // a key of the guest's, held, repeats here
        court_->refreshNow();
    });
    connect(&net_, &NetPlay::roundTripChanged, this, &Form1::showNetworkState);
    connect(&net_, &NetPlay::boxToShow, this, &Form1::showNetworkBox);
    connect(&net_, &NetPlay::sessionEnded, this, [this](const QString& why) {
        showNetworkState();
        showChecks();
        court_->refresh();
        if (!why.isEmpty())
            showNetworkBox(why);
    });
}

bool Form1::isGuest() const {
    return net_.role() == net::Role::Guest;
}

void Form1::showNetworkState() {
    const std::optional<net::Role> role = net_.role();
    for (const MenuEntry& entry : menuEntries())
        if (entry.kind == MenuEntry::Kind::Item)
            menu_[entry.item]->setEnabled(net::menuItemAvailable(entry.item, role));
    setWindowTitle(QString::fromStdString(net::windowTitle(net_.session())));
}

void Form1::showBox(const QString& text) {
    releaseHeldKeys();
    restComputer();
    court_->refreshNow();
    // One box at a time: one that comes while another is open waits for it.
    if (!boxes_.offer(text.toStdString()))
        return;
    for (std::optional<std::string> next = text.toStdString(); next; next = boxes_.closed()) {
        QString shown = QString::fromStdString(*next);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        warnPlainly(this, QString::fromLatin1(applicationTitle), shown);
    }
}

void Form1::showNetworkBox(const QString& text) {
    showBox(text);
    computerMoves();
}

void Form1::mnuRete_Click() {
    releaseHeldKeys();
    restComputer();
    if (net_.role()) {
        const auto answer = QMessageBox::question(this, QString::fromLatin1(applicationTitle),
                                                  QString::fromUtf8(net::quitQuestion));
        if (answer == QMessageBox::Yes)
            net_.quit();
        return;
    }
    runNetworkDialog({});
}

void Form1::startNetworkMatch(const QString& address, quint16 port) {
    releaseHeldKeys();
    restComputer();
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
    court_->refresh();
    computerMoves();
}

} // namespace quindra
