// Main: the program's entry point creates the main window, shows it, and runs the
// messages until the game's last window has closed.
#include "AngleDialog.h"
#include "MainWindow.h"
#include "Text.h"
#include "net/CommandLine.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The arguments after the program's name, in UTF-8.
std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** given = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; given && i < count; ++i)
        result.push_back(quindra::win32::narrow(given[i]));
    LocalFree(given);
    return result;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    // A program without a console: the command line's help and faults come in a box.
    using quindra::net::StartUp;
    const StartUp start = quindra::net::parseCommandLine(arguments());
    if (start.mode == StartUp::Mode::Help || start.mode == StartUp::Mode::Error) {
        const std::string text = (start.mode == StartUp::Mode::Error ? start.error + "\n\n" : "") +
                                 quindra::net::usageText();
        MessageBoxW(nullptr, quindra::win32::widen(text).c_str(), L"Quindra",
                    MB_OK | (start.mode == StartUp::Mode::Error ? MB_ICONEXCLAMATION : 0));
        return start.mode == StartUp::Mode::Error ? 2 : 0;
    }
    // Held while the game runs, so that its installer and uninstaller know to wait: the
    // program's files can't be replaced or removed under it. The system lets it go at exit.
    CreateMutexW(nullptr, FALSE, L"Global\\QuindraRunning");
    // Windows' timers step in 15.6 ms unless asked for finer steps: the held keys'
    // repeats and the computer's moves keep their times with 1 ms.
    timeBeginPeriod(1);
    int status = 1;
    {
        quindra::win32::MainWindow form;
        if (form.create(show)) {
            if (start.mode == StartUp::Mode::Host || start.mode == StartUp::Mode::Join)
                form.startNetworkMatch(start.host, start.port);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                // The shot-angle dialog's keys move between its controls.
                HWND dialog = quindra::win32::angleDialog();
                if (dialog && IsDialogMessageW(dialog, &msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            status = static_cast<int>(msg.wParam);
        } else {
            MessageBoxW(nullptr, L"The game's window could not be created.", L"Quindra",
                        MB_OK | MB_ICONEXCLAMATION);
        }
    }
    timeEndPeriod(1);
    return status;
}
