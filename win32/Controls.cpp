#include "Controls.h"

#include "Dpi.h"
#include "app/Layout.h"

namespace quindra::win32 {

const wchar_t* windowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &c))
        return name;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = name;
    RegisterClassExW(&c);
    return name;
}

bool actAsDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const wchar_t* const focusKept = L"QuindraFocus";
    switch (message) {
    case WM_NEXTDLGCTL:
        if (HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(window, GetFocus(), wParam != 0))
            SetFocus(next);
        return true;
    case WM_ACTIVATE:
        if (HWND focus = GetFocus(); LOWORD(wParam) == WA_INACTIVE && IsChild(window, focus))
            SetPropW(window, focusKept, focus);
        return false;
    case WM_SETFOCUS:
        if (HWND kept = static_cast<HWND>(GetPropW(window, focusKept)); IsChild(window, kept)) {
            SetFocus(kept);
            return true;
        }
        return false;
    case WM_NCDESTROY:
        RemovePropW(window, focusKept);
        return false;
    default:
        return false;
    }
}

HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold, bool underline) {
    LOGFONTW font{};
    font.lfHeight = -scaledWidth(pointsToPixels(points), dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HWND placeControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                  double left, double top, double width, double height, int id, int dpi, HFONT font,
                  DWORD exStyle) {
    const PixelRect r = toPixelRectAt(left, top, width, height, dpi);
    HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                   r.x, r.y, r.width, r.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control && font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

SIZE windowSizeFor(double width, double height, DWORD style, DWORD exStyle, int dpi) {
    return frameAround({toPixelsAt(width, dpi), toPixelsAt(height, dpi)}, style, exStyle, false,
                       dpi);
}

void runModal(HWND window, HWND owner, HWND focus) {
    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetFocus(focus);
    MSG msg;
    bool quit = false;
    while (IsWindow(window)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        // Tab, the access keys and the arrows move between the window's controls.
        if (IsDialogMessageW(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(msg.wParam));
}

HBITMAP loadPicture(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace quindra::win32
