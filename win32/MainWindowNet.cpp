// The main window in a match over the network: the dialog that starts one, the menus the
// host's rules grey, the round trip in the title, the boxes either side shows.
#include "MainWindow.h"
#include "MenuBar.h"
#include "NetworkDialog.h"
#include "Text.h"
#include "net/NetMenu.h"
#include "net/Texts.h"

namespace quindra::win32 {

bool MainWindow::isGuest() const {
    return net_ && net_->role() == net::Role::Guest;
}

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

void MainWindow::showBox(const std::string& text) {
    // One box at a time: one that comes while another is open waits for it.
    if (!boxes_.offer(text))
        return;
    for (std::optional<std::string> next = text; next; next = boxes_.closed())
        MessageBoxW(window_, widen(*next).c_str(), L"Quindra", MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::showNetworkBox(const std::string& text) {
    releaseHeldKeys();
    restComputer();
    refresh(true);
    showBox(text);
    computerMoves();
}

void MainWindow::mnuRete_Click() {
    releaseHeldKeys();
    restComputer();
    if (net_->role()) {
        if (MessageBoxW(window_, widen(net::quitQuestion).c_str(), L"Quindra",
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            net_->quit();
        return;
    }
    runNetworkDialog(nullptr, 0);
}

void MainWindow::startNetworkMatch(const std::string& address, std::uint16_t port) {
    releaseHeldKeys();
    restComputer();
    runNetworkDialog(&address, port);
}

void MainWindow::runNetworkDialog(const std::string* address, std::uint16_t port) {
    showNetworkDialog(window_, *net_, address, port);
    refresh(false);
    computerMoves();
}

void MainWindow::networkStarted() {
    releaseHeldKeys();
    showNetworkState();
    showChecks(menuBar_, game_);
    refresh(false);
    networkDialogStarted();
}

void MainWindow::networkFailed(const std::string& why) {
    networkDialogFailed(why);
}

void MainWindow::networkTurnedAway(const std::string& why) {
    networkDialogWaiting(net::turnedAwayText(why, net_->listeningPort()));
}

void MainWindow::networkChanged() {
    if (isGuest())
        showChecks(menuBar_, game_);
    else
        scheduleRepeat(); // a key of the guest's, held, repeats here
    refresh(true);
}

void MainWindow::networkBox(const std::string& text) {
    showNetworkBox(text);
}

void MainWindow::networkRoundTrip() {
    showNetworkState();
}

void MainWindow::networkEnded(const std::string& why) {
    showNetworkState();
    showChecks(menuBar_, game_);
    refresh(false);
    if (!why.empty())
        showNetworkBox(why);
}

} // namespace quindra::win32
