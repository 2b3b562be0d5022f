#include "win32/window_look.h"

#include <commctrl.h>

#include <algorithm>

namespace mw {

ProgramWindow::~ProgramWindow()
{
    if (font_)
        DeleteObject(font_);
}

int ProgramWindow::Scaled(int pixels) const
{
    return MulDiv(pixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

int ProgramWindow::LabelWidth(const wchar_t* text, int width) const
{
    const HDC dc = GetDC(window_);
    const HGDIOBJ old = SelectObject(dc, font_);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    // A renderer may draw a line a little past the width it measures for it
    // (Wine's stand-in for "MS Sans Serif" up to 3 pixels at 11 pixels high),
    // which the label would cut off. The room is truncated so that at 120 and
    // 144 dots per inch the labels still end before the buttons beside them.
    const int drawingRoom = 3 * static_cast<int>(dpi_) / USER_DEFAULT_SCREEN_DPI;
    return std::max(width, static_cast<int>(size.cx) + drawingRoom);
}

void ProgramWindow::Place(HWND control, const RECT& at, int width) const
{
    SetWindowPos(control, nullptr, Scaled(at.left), Scaled(at.top), width, Scaled(at.bottom - at.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void ProgramWindow::SetDpi(UINT dpi)
{
    dpi_ = dpi;
    font_ = CreateFontW(-Scaled(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

HWND CreateToolTips(HWND window)
{
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void AddToolTip(HWND toolTips, HWND control, const wchar_t* text)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ProgramWindow::CreateProgramWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                                        SIZE size, HWND owner)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, owner, nullptr,
                    instance, this);
}

LRESULT CALLBACK ProgramWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        self->SetDpi(GetDpiForWindow(window));
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_DPICHANGED) {
        // Moved to a monitor of another DPI: laid out again as if created there,
        // in the rectangle the system suggests.
        const HFONT old = self->font_;
        self->SetDpi(LOWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        self->PlaceControls();
        DeleteObject(old);
        return 0;
    }
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace mw
