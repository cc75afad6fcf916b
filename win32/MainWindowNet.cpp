// The main window in a match over the network: the dialog that starts one, the question
// before leaving one, the menus and title the table sets; the rest is the table's.
#include "MainWindow.h"
#include "MenuBar.h"
#include "NetworkDialog.h"
#include "Text.h"
#include "net/Texts.h"

namespace quindra::win32 {

void MainWindow::enableItem(MenuItem item, bool enabled) {
    EnableMenuItem(menuBar_, commandOf(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(window_);
}

void MainWindow::showTitle(const std::string& title) {
    SetWindowTextW(window_, widen(title).c_str());
}

void MainWindow::mnuRete_Click() {
    table_.windowOpened();
    if (table_.link().role()) {
        if (MessageBoxW(window_, widen(net::quitQuestion).c_str(), L"Quindra",
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            table_.link().quit();
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
    showNetworkDialog(window_, table_.link(), address, port);
    table_.windowClosed();
}

void MainWindow::tellNetworkDialog(DialogNews news, const std::string& text) {
    win32::tellNetworkDialog(news, text);
}

} // namespace quindra::win32
