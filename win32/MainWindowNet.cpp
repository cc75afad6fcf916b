// The main window in a match over the network: the dialog that starts one, the menus the
// host's rules grey, the round trip in the title; the rest is the table's.
#include "MainWindow.h"
#include "MenuBar.h"
#include "NetworkDialog.h"
#include "Text.h"
#include "net/NetMenu.h"
#include "net/Texts.h"

namespace quindra::win32 {

void MainWindow::showNetworkState() {
    const std::optional<net::Role> role = net_->role();
    for (const MenuEntry& entry : menuEntries())
        if (entry.kind == MenuEntry::Kind::Item)
            EnableMenuItem(menuBar_, commandOf(entry.item),
                           MF_BYCOMMAND |
                               (net::menuItemAvailable(entry.item, role) ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(window_);
    SetWindowTextW(window_, widen(net::windowTitle(net_->session())).c_str());
}

void MainWindow::mnuRete_Click() {
    table_.windowOpened();
    if (net_->role()) {
        if (MessageBoxW(window_, widen(net::quitQuestion).c_str(), L"Quindra",
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            net_->quit();
        table_.windowClosed();
        return;
    }
    runNetworkDialog(nullptr, 0);
}

void MainWindow::startNetworkMatch(const std::string& address, std::uint16_t port) {
    table_.windowOpened();
    runNetworkDialog(&address, port);
}

void MainWindow::runNetworkDialog(const std::string* address, std::uint16_t port) {
    showNetworkDialog(window_, *net_, address, port);
    table_.windowClosed();
}

void MainWindow::linkStarted() {
    showNetworkState();
    table_.linkStarted();
    networkDialogStarted();
}

void MainWindow::linkFailed(const std::string& why) {
    networkDialogFailed(why);
}

void MainWindow::linkTurnedAway(const std::string& why) {
    networkDialogWaiting(why);
}

void MainWindow::linkEnded(const std::string& why) {
    showNetworkState();
    table_.linkEnded(why);
}

} // namespace quindra::win32
