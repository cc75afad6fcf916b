#include "ToolWindows.h"

#include "Controls.h"
#include "Dpi.h"
#include "Text.h"
#include "app/MailLink.h"
#include "resource.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

namespace quindra::win32 {

namespace {

constexpr int okId = 100; // not IDOK: Enter and Escape press no button here
constexpr int linkId = 101;
constexpr int pictureId = 102;
constexpr DWORD toolStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD toolExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

// What one open tool window keeps.
struct ToolWindow {
    HFONT font = nullptr;
    HFONT bold = nullptr;
    HFONT link = nullptr;
    HBITMAP picture = nullptr;
    bool stretched = false; // About's picture fills its place; the commands' keeps its size
    HCURSOR pointer = nullptr;
    HWND linkLabel = nullptr;
    HBRUSH background = nullptr;

    ~ToolWindow() {
        for (HGDIOBJ o : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(bold),
                          static_cast<HGDIOBJ>(link), static_cast<HGDIOBJ>(picture)})
            if (o)
                DeleteObject(o);
    }
};

ToolWindow* stateOf(HWND window) {
    return reinterpret_cast<ToolWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void closeWindow(HWND window) {
    // The owner takes input again before this one goes, so the keyboard returns to it.
    if (HWND owner = GetWindow(window, GW_OWNER))
        EnableWindow(owner, TRUE);
    DestroyWindow(window);
}

// The pictures: About's stretched to its place; the commands' from the top left at its own
// size, grown from 96 dpi to the window's as the controls around it are.
void drawPicture(const ToolWindow& state, const DRAWITEMSTRUCT& item, int dpi) {
    if (!state.picture)
        return;
    BITMAP info{};
    GetObjectW(state.picture, sizeof info, &info);
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, state.picture);
    const RECT& r = item.rcItem;
    SIZE size{r.right - r.left, r.bottom - r.top};
    if (!state.stretched) {
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
        size = {MulDiv(info.bmWidth, dpi, 96), MulDiv(info.bmHeight, dpi, 96)};
    }
    if (size.cx == info.bmWidth && size.cy == info.bmHeight) {
        BitBlt(item.hDC, r.left, r.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(item.hDC, HALFTONE);
        SetBrushOrgEx(item.hDC, 0, 0, nullptr);
        StretchBlt(item.hDC, r.left, r.top, size.cx, size.cy, source, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK toolProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (actAsDialog(window, message, wParam, lParam))
        return 0;
    ToolWindow* state = stateOf(window);
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == okId)
            closeWindow(window);
        else if (LOWORD(wParam) == linkId && HIWORD(wParam) == STN_CLICKED)
            // Whatever the shell makes of it, the window stays open and says nothing.
            ShellExecuteA(window, nullptr, mailLinkText().c_str(), nullptr, "c:\\", SW_SHOWNORMAL);
        return 0;
    case WM_CLOSE:
        closeWindow(window);
        return 0;
    case WM_DRAWITEM:
        if (state)
            drawPicture(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), dpiOf(window));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (state && state->background) {
            // Labels show the window's background through.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            if (reinterpret_cast<HWND>(lParam) == state->linkLabel)
                SetTextColor(dc, RGB(0, 0, 255));
            return reinterpret_cast<LRESULT>(state->background);
        }
        break;
    case WM_SETCURSOR:
        if (state && state->pointer && reinterpret_cast<HWND>(wParam) == state->linkLabel) {
            SetCursor(state->pointer);
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* toolClass() {
    return windowClass(L"QuindraToolWindow", toolProc);
}

// A fixed tool window of `width` by `height` twips of client area, centred over `owner`,
// not yet shown.
HWND makeToolWindow(HWND owner, const wchar_t* title, double width, double height,
                    ToolWindow* state) {
    const int dpi = dpiOf(owner);
    const SIZE size = windowSizeFor(width, height, toolStyle, toolExStyle, dpi);
    RECT over{};
    GetWindowRect(owner, &over);
    const int x = (over.left + over.right - size.cx) / 2;
    const int y = (over.top + over.bottom - size.cy) / 2;
    HWND window = CreateWindowExW(toolExStyle, toolClass(), title, toolStyle, x, y, size.cx,
                                  size.cy, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->font = makeFont(L"MS Sans Serif", 8.25, dpi);
    state->bold = makeFont(L"MS Sans Serif", 8.25, dpi, true);
    return window;
}

HWND addOkButton(HWND window, const ToolWindow& state, double left, double top) {
    return placeControl(window, L"BUTTON", L"&Ok", WS_TABSTOP | BS_PUSHBUTTON, left, top, 1395, 345,
                        okId, dpiOf(window), state.bold);
}

HWND addLabel(HWND window, const ToolWindow& state, const wchar_t* text, double left, double top,
              double width, double height, DWORD style = 0) {
    return placeControl(window, L"STATIC", text, SS_LEFT | SS_NOPREFIX | style, left, top, width,
                        height, -1, dpiOf(window), state.font);
}

} // namespace

void showCommands(HWND owner) {
    auto* state = new ToolWindow;
    // An empty title: the title bar carries no text.
    HWND window = makeToolWindow(owner, L"", 9075, 4410, state);
    state->picture = loadPicture(IDB_COMANDI);
    // The picture in its sunken box takes the focus first, then the button.
    HWND picture = placeControl(window, L"STATIC", L"", SS_OWNERDRAW | WS_TABSTOP | SS_NOTIFY, 0, 0,
                                9075, 3795, pictureId, dpiOf(window), nullptr, WS_EX_CLIENTEDGE);
    addOkButton(window, *state, 4080, 3960);
    runModal(window, owner, picture);
}

void showAbout(HWND owner) {
    auto* state = new ToolWindow;
    HWND window = makeToolWindow(owner, L"About: Quindra", 4665, 2670, state);
    const int dpi = dpiOf(window);
    state->background = GetSysColorBrush(COLOR_MENU);
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(state->background));
    state->link = makeFont(L"MS Sans Serif", 9.75, dpi, false, true);
    state->pointer =
        static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTER),
                                        IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    state->picture = loadPicture(IDB_ABOUT);
    state->stretched = true;

    addLabel(window, *state, L"Quindra \u00e9 un programma di ", 1980, 360, 2685, 255);
    addLabel(window, *state, L"Ruvendo", 1980, 615, 1575, 255);
    addLabel(window, *state, L"Gioco libero e gratuito.", 1980, 1155, 2265, 255);
    addLabel(window, *state,
             L"Per Informazioni, suggerimenti e qualsiasi opinione su questo gioco scrivete una "
             L"email.",
             1980, 1440, 2595, 735);
    state->linkLabel =
        placeControl(window, L"STATIC", widen(authorAddress), SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                     2580, 840, 2355, 375, linkId, dpi, state->link);
    HWND ok = addOkButton(window, *state, 1965, 2220);
    addLabel(window, *state, L"E-mail: ", 1980, 900, 615, 255);
    placeControl(window, L"STATIC", L"", SS_OWNERDRAW, 180, 300, 1365, 1560, pictureId, dpi,
                 nullptr);
    runModal(window, owner, ok);
}

} // namespace quindra::win32
