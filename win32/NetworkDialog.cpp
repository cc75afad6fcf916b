#include "NetworkDialog.h"

#include "Text.h"
#include "net/Connection.h"
#include "net/Messages.h"
#include "net/Texts.h"
#include "resource.h"

namespace quindra::win32 {

namespace {

struct Open {
    HWND dialog = nullptr;
    net::Connection* link = nullptr;
    const std::string* address = nullptr;
    std::uint16_t port = 0;
    bool waiting = false;
};
Open open_;

std::string textOf(HWND dialog, int id) {
    wchar_t text[300] = {};
    GetDlgItemTextW(dialog, id, text, 300);
    return narrow(text);
}

void say(HWND dialog, const std::string& text) {
    SetDlgItemTextW(dialog, IDC_STATO, widen(text).c_str());
}

bool hosting(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_OSPITA) == BST_CHECKED;
}

void showChoice(HWND dialog) {
    open_.waiting = false;
    const bool host = hosting(dialog);
    for (const int id : {IDC_OSPITA, IDC_UNISCITI, IDC_AVVIA})
        EnableWindow(GetDlgItem(dialog, id), TRUE);
    EnableWindow(GetDlgItem(dialog, IDC_PORTA_OSPITA), host);
    EnableWindow(GetDlgItem(dialog, IDC_INDIRIZZO), !host);
    EnableWindow(GetDlgItem(dialog, IDC_PORTA), !host);
    say(dialog, net::choiceText(host));
}

void showWaiting(HWND dialog, const std::string& what) {
    open_.waiting = true;
    for (const int id :
         {IDC_OSPITA, IDC_UNISCITI, IDC_PORTA_OSPITA, IDC_INDIRIZZO, IDC_PORTA, IDC_AVVIA})
        EnableWindow(GetDlgItem(dialog, id), FALSE);
    say(dialog, what);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

void complain(HWND dialog, const std::string& text) {
    MessageBoxW(dialog, widen(text).c_str(), L"Gioca in rete", MB_OK | MB_ICONEXCLAMATION);
}

void Avvia_Click(HWND dialog) {
    const bool host = hosting(dialog);
    const net::Connection::Start start = open_.link->start(
        host, textOf(dialog, IDC_INDIRIZZO), textOf(dialog, host ? IDC_PORTA_OSPITA : IDC_PORTA));
    if (start.waiting) {
        showWaiting(dialog, start.text);
        return;
    }
    showChoice(dialog);
    complain(dialog, start.text);
}

void Form_Load(HWND dialog) {
    const std::wstring port = std::to_wstring(net::defaultPort);
    SetDlgItemTextW(dialog, IDC_PORTA_OSPITA, port.c_str());
    SetDlgItemTextW(dialog, IDC_PORTA, port.c_str());
    SendDlgItemMessageW(dialog, IDC_INDIRIZZO, EM_LIMITTEXT, 253, 0);
    SendDlgItemMessageW(dialog, IDC_PORTA, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageW(dialog, IDC_PORTA_OSPITA, EM_LIMITTEXT, 5, 0);
    CheckRadioButton(dialog, IDC_OSPITA, IDC_UNISCITI, IDC_OSPITA);
    showChoice(dialog);
    if (!open_.address)
        return;
    // As the command line asks: chosen and started at once.
    const std::wstring given = std::to_wstring(open_.port);
    if (open_.address->empty()) {
        SetDlgItemTextW(dialog, IDC_PORTA_OSPITA, given.c_str());
    } else {
        CheckRadioButton(dialog, IDC_OSPITA, IDC_UNISCITI, IDC_UNISCITI);
        SetDlgItemTextW(dialog, IDC_INDIRIZZO, widen(*open_.address).c_str());
        SetDlgItemTextW(dialog, IDC_PORTA, given.c_str());
        showChoice(dialog);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AVVIA, BN_CLICKED), 0);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        open_.dialog = dialog;
        Form_Load(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OSPITA:
        case IDC_UNISCITI:
            CheckRadioButton(dialog, IDC_OSPITA, IDC_UNISCITI, LOWORD(wParam));
            showChoice(dialog);
            return TRUE;
        case IDC_AVVIA:
            if (!open_.waiting)
                Avvia_Click(dialog);
            return TRUE;
        case IDCANCEL:
            // Closed while waiting, however it was closed: nobody waits any more.
            if (open_.waiting)
                open_.link->cancel();
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

bool showNetworkDialog(HWND owner, net::Connection& link, const std::string* address,
                       std::uint16_t port) {
    open_ = Open{nullptr, &link, address, port, false};
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RETE),
                                           owner, dialogProc, 0);
    open_ = Open{};
    return result == IDOK;
}

void tellNetworkDialog(DialogNews news, const std::string& text) {
    if (!open_.dialog)
        return;
    switch (news) {
    case DialogNews::Started:
        EndDialog(open_.dialog, IDOK);
        break;
    case DialogNews::Failed:
        showChoice(open_.dialog);
        complain(open_.dialog, text);
        break;
    case DialogNews::TurnedAway:
        say(open_.dialog, text);
        break;
    }
}

} // namespace quindra::win32
