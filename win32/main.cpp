// Main: the program's entry point creates the main window, shows it, and runs the
// messages until the game's last window has closed.
#include "AngleDialog.h"
#include "MainWindow.h"

#include <windows.h>

#include <mmsystem.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    // Windows' timers step in 15.6 ms unless asked for finer steps: the held keys'
    // repeats and the computer's moves keep their times with 1 ms.
    timeBeginPeriod(1);
    int status = 1;
    {
        quindra::win32::MainWindow form;
        if (form.create(show)) {
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
