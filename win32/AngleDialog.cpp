#include "AngleDialog.h"

#include "Controls.h"
#include "Dpi.h"
#include "app/Layout.h"
#include "app/Modulo1.h"

#include <cwchar>
#include <string>

namespace quindra::win32 {

namespace {

constexpr int scrollId = 200;
constexpr int textId = 201;
constexpr int okId = 202;
constexpr int cancelId = 203;
constexpr DWORD dialogStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// Where the dialog's client area opens on the screen, in twips.
constexpr double screenLeft = 1650;
constexpr double screenTop = 2100;

HWND open_ = nullptr;
HFONT font_ = nullptr;

HWND scrollBar(HWND dialog) {
    return GetDlgItem(dialog, scrollId);
}

// The text follows the bar's value whenever it settles.
void HScroll1_Change(HWND dialog) {
    const int value = GetScrollPos(scrollBar(dialog), SB_CTL);
    SetDlgItemTextW(dialog, textId, std::to_wstring(value).c_str());
}

void setBar(HWND dialog, int value) {
    value = value < 0 ? 0 : value > 100 ? 100 : value;
    if (value == GetScrollPos(scrollBar(dialog), SB_CTL))
        return;
    SetScrollPos(scrollBar(dialog), SB_CTL, value, TRUE);
    HScroll1_Change(dialog);
}

void Command1_Click(HWND dialog) {
    // The box holds only what the bar wrote: a whole number from 0 to 100.
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, textId, text, 16);
    wchar_t* end = nullptr;
    const long percent = std::wcstol(text, &end, 10);
    if (end != text && *end == L'\0' && percent >= 0 && percent <= 100)
        AngoloTiro = PercInAngolo(static_cast<std::int16_t>(percent));
    DestroyWindow(dialog);
}

void scrolled(HWND dialog, WPARAM wParam) {
    const int value = GetScrollPos(scrollBar(dialog), SB_CTL);
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        setBar(dialog, value - 1);
        break;
    case SB_LINERIGHT:
        setBar(dialog, value + 1);
        break;
    case SB_PAGELEFT:
        setBar(dialog, value - 10);
        break;
    case SB_PAGERIGHT:
        setBar(dialog, value + 10);
        break;
    case SB_LEFT:
        setBar(dialog, 0);
        break;
    case SB_RIGHT:
        setBar(dialog, 100);
        break;
    case SB_THUMBPOSITION: // released: nothing changes while the thumb is dragged
        setBar(dialog, HIWORD(wParam));
        break;
    default:
        break;
    }
}

LRESULT CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (actAsDialog(dialog, message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_HSCROLL:
        scrolled(dialog, wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == okId)
            Command1_Click(dialog);
        else if (LOWORD(wParam) == cancelId)
            DestroyWindow(dialog);
        return 0;
    case WM_PAINT: {
        // The plain outline around the bar, its labels and the box, beneath them all.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        const PixelRect r = toPixelRectAt(108, 96, 4584, 1356, dpiOf(dialog));
        const RECT outline{r.x, r.y, r.right(), r.bottom()};
        FrameRect(dc, &outline, GetSysColorBrush(COLOR_WINDOWFRAME));
        EndPaint(dialog, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // "Min" and "Max" on the dialog's own face.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DESTROY:
        if (open_ == dialog)
            open_ = nullptr;
        // The last window of the game closed: the game ends.
        if (!FindWindowW(L"QuindraMainWindow", nullptr))
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

const wchar_t* dialogClass() {
    return windowClass(L"QuindraAngleDialog", dialogProc);
}

void Form_Load(HWND dialog) {
    SetScrollPos(scrollBar(dialog), SB_CTL, AngoloInPerc(AngoloTiro), TRUE);
    HScroll1_Change(dialog);
    SetDlgItemTextW(dialog, textId, std::to_wstring(AngoloInPerc(AngoloTiro)).c_str());
}

} // namespace

HWND angleDialog() {
    return open_;
}

void openAngleDialog() {
    if (open_) {
        if (IsIconic(open_))
            ShowWindow(open_, SW_RESTORE);
        SetForegroundWindow(open_);
        return;
    }
    const int dpi = dpiOf(nullptr);
    const SIZE size = windowSizeFor(6000, 1635, dialogStyle, 0, dpi);
    // The client area's corner is where the dialog is placed; the frame lies around it.
    RECT border{0, 0, 0, 0};
    AdjustWindowRectEx(&border, dialogStyle, FALSE, 0);
    HWND dialog = CreateWindowExW(0, dialogClass(), L"Angolo di Tiro", dialogStyle,
                                  toPixelsAt(screenLeft, dpi) + border.left,
                                  toPixelsAt(screenTop, dpi) + border.top, size.cx, size.cy,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!font_)
        font_ = makeFont(L"MS Sans Serif", 8.25, dpi);
    HWND bar = placeControl(dialog, L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, 960, 600, 1932, 270,
                            scrollId, dpi, nullptr);
    SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
    placeControl(dialog, L"STATIC", L"Min", SS_LEFT, 960, 360, 336, 240, -1, dpi, font_);
    placeControl(dialog, L"EDIT", L"100", ES_LEFT | WS_DISABLED, 3000, 600, 405, 285, textId, dpi,
                 font_, WS_EX_CLIENTEDGE);
    placeControl(dialog, L"BUTTON", L"Ok", BS_PUSHBUTTON | WS_TABSTOP, 4920, 240, 852, 372, okId,
                 dpi, font_);
    placeControl(dialog, L"BUTTON", L"Annulla", BS_PUSHBUTTON | WS_TABSTOP, 4920, 840, 852, 372,
                 cancelId, dpi, font_);
    placeControl(dialog, L"STATIC", L"Max", SS_LEFT, 2520, 360, 336, 240, -1, dpi, font_);
    Form_Load(dialog);
    open_ = dialog;
    ShowWindow(dialog, SW_SHOW);
    SetFocus(bar);
}

} // namespace quindra::win32
