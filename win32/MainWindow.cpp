#include "MainWindow.h"

#include "AngleDialog.h"
#include "Dpi.h"
#include "MenuBar.h"
#include "Text.h"
#include "ToolWindows.h"
#include "resource.h"

#include <commdlg.h>

#include <algorithm>

namespace quindra::win32 {

namespace {

constexpr wchar_t windowClass[] = L"QuindraMainWindow";
constexpr UINT tickMessage = WM_APP + 1;
// The one-shot timers of the held keys' repeats and of the computer's next move.
// The table's timers, but the clock, are the window's by their number and this.
constexpr UINT_PTR firstTimer = 1;
// A fixed single-line frame: a close box, no minimise or maximise button.
constexpr DWORD mainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

HICON loadIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUINDRA),
                                         IMAGE_ICON, size, size, 0));
}

} // namespace

MainWindow::MainWindow() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&started_);
    // For measuring the clock: each tick's time in microseconds, one a line.
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"QUINDRA_TICK_LOG", path, MAX_PATH) > 0)
        tickLog_ = _wfopen(path, L"w");
}

MainWindow::~MainWindow() {
    clock_.reset();
    if (tickLog_)
        std::fclose(tickLog_);
}

std::int64_t MainWindow::now() const {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (t.QuadPart - started_.QuadPart) * 1000 / frequency_.QuadPart;
}

bool MainWindow::create(int show) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = windowProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = loadIcon(32);
    c.hIconSm = loadIcon(16);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    c.lpszClassName = windowClass;
    if (!RegisterClassExW(&c))
        return false;
    menuBar_ = buildMenuBar();
    window_ =
        CreateWindowExW(0, windowClass, L"Quindra Game", mainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        100, 100, nullptr, menuBar_, GetModuleHandleW(nullptr), this);
    if (!window_)
        return false;
    clock_ = std::make_unique<GameClock>(window_, tickMessage);
    net_.attach(window_, table_.link());
    learnKeyRepeat();
    fitToDpi(dpiOf(window_), nullptr);

    // Centred on the screen's work area.
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT placed{};
    GetWindowRect(window_, &placed);
    const int width = placed.right - placed.left, height = placed.bottom - placed.top;
    SetWindowPos(window_, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    wchar_t program[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program, length);
    folder = folder.substr(0, folder.find_last_of(L'\\'));
    table_.start(narrow(folder));
    showChecks();
    ShowWindow(window_, show);
    UpdateWindow(window_);
    return true;
}

void MainWindow::fitToDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    const SIZE client{toPixelsAt(clientAreaWidth, dpi), toPixelsAt(clientAreaHeight, dpi)};
    SIZE outer = frameAround(client, mainStyle, 0, true, dpi);
    RECT r{};
    GetWindowRect(window_, &r);
    if (suggested)
        r = *suggested;
    SetWindowPos(window_, nullptr, r.left, r.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar too long for the width takes two lines: the frame grows by what is missing.
    RECT inside{};
    GetClientRect(window_, &inside);
    if (inside.bottom != client.cy || inside.right != client.cx) {
        outer.cx += client.cx - inside.right;
        outer.cy += client.cy - inside.bottom;
        SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    outer_ = outer;
    HDC screen = GetDC(window_);
    painter_.resize(screen, client, dpi);
    ReleaseDC(window_, screen);
    refresh(false);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (net_.onMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case tickMessage:
        if (clock_ && clock_->take(wParam)) {
            logClock("tick");
            table_.timerFired(TimerId::Clock);
        }
        return 0;
    case WM_TIMER:
        if (wParam < firstTimer || wParam >= firstTimer + timerCount)
            break;
        if (!(periodic_ & (1u << (wParam - firstTimer))))
            KillTimer(window_, wParam);
        table_.timerFired(static_cast<TimerId>(wParam - firstTimer));
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN: // F10, and keys with Alt: the game sees them, the desktop too (Alt+F4)
        keyDown(wParam, lParam);
        break;
    case WM_KEYUP:
        keyUp(wParam, lParam);
        return 0;
    case WM_SYSKEYUP:
        keyUp(wParam, lParam);
        break;
    case WM_CHAR: // each press takes its own characters as it goes down
        return 0;
    case WM_COMMAND:
        if (lParam == 0)
            command(LOWORD(wParam));
        return 0;
    case WM_ENTERMENULOOP:
        table_.menuOpened();
        return 0;
    case WM_EXITMENULOOP:
        table_.menuClosed();
        return 0;
    case WM_KILLFOCUS:
        table_.keyboardLeft(false);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            table_.keyboardLeft(away(reinterpret_cast<HWND>(lParam)));
        else
            table_.lookAgain();
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            table_.keyboardLeft(true);
        else
            table_.lookAgain();
        return 0;
    case WM_DPICHANGED:
        fitToDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // the court covers the whole client area
    case WM_PAINT:
        paint();
        return 0;
    case WM_CLOSE:
        // The shot-angle dialog may stay.
        table_.closing();
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        if (!angleDialog())
            PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::logClock(const char* event) {
    if (!tickLog_)
        return;
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    // A start says the interval it was given, so a reader learns the level without timing it.
    std::fprintf(
        tickLog_, "%s %lld %d\n", event,
        static_cast<long long>((t.QuadPart - started_.QuadPart) * 1000000 / frequency_.QuadPart),
        table_.clockInterval());
    std::fflush(tickLog_);
}

void MainWindow::command(UINT id) {
    const auto item = menuItemOf(id);
    if (!item)
        return;
    const MenuEntry& entry = menuEntryOf(*item);
    if (entry.command) {
        table_.command(entry.command);
        return;
    }
    if (entry.window == WindowCommand::Angolo) {
        openAngleDialog();
        return;
    }
    if (entry.window == WindowCommand::Rete) {
        mnuRete_Click();
        return;
    }
    table_.windowOpened();
    if (entry.window == WindowCommand::Sommario)
        showCommands(window_);
    else if (entry.window == WindowCommand::Quindra)
        showAbout(window_);
    table_.windowClosed();
}

void MainWindow::refresh(bool now) {
    for (const RECT& r : painter_.update())
        InvalidateRect(window_, &r, FALSE);
    if (now)
        UpdateWindow(window_);
}

void MainWindow::showChecks() {
    win32::showChecks(menuBar_, table_.game());
}

void MainWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    painter_.show(dc, ps.rcPaint);
    EndPaint(window_, &ps);
}

void MainWindow::startTimer(TimerId id, int milliseconds, bool periodic) {
    // The game clock runs on its own exact clock; the others are the window's timers.
    if (id == TimerId::Clock) {
        clock_->start(milliseconds);
        logClock("start");
        return;
    }
    const auto bit = 1u << static_cast<unsigned>(id);
    periodic_ = periodic ? periodic_ | bit : periodic_ & ~bit;
    SetTimer(window_, firstTimer + static_cast<UINT_PTR>(id),
             static_cast<UINT>(std::clamp(milliseconds, 1, 60000)), nullptr);
}

void MainWindow::stopTimer(TimerId id) {
    if (id != TimerId::Clock)
        KillTimer(window_, firstTimer + static_cast<UINT_PTR>(id));
    else if (clock_)
        clock_->stop();
}

float MainWindow::outerWidth() const {
    return static_cast<float>(outer_.cx) * 1440.0f / static_cast<float>(dpi_);
}

float MainWindow::outerHeight() const {
    return static_cast<float>(outer_.cy) * 1440.0f / static_cast<float>(dpi_);
}

void MainWindow::showBox(const std::string& text) {
    MessageBoxW(window_, widen(text).c_str(), L"Quindra", MB_OK | MB_ICONEXCLAMATION);
}

std::optional<Colour> MainWindow::pickColour(Colour initial) {
    static COLORREF custom[16] = {}; // the dialog's own custom colours, kept while the game runs
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.rgbResult = toColorRef(initial);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT; // opens preset to the last colour picked
    if (!ChooseColorW(&dialog))
        return std::nullopt; // cancelled
    return static_cast<Colour>(dialog.rgbResult & 0x00FFFFFFu);
}

void MainWindow::reseedRandom() {
    random_.reseed();
}

float MainWindow::drawRandom() {
    return random_.draw();
}

} // namespace quindra::win32
