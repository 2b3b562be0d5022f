#include "win32/window_look.h"

#include <commctrl.h>

#include <algorithm>

#include "core/win32/wide_text.h"
#include "startup/window_placement.h"

namespace mw {

ProgramWindow::~ProgramWindow()
{
    if (font_)
        DeleteObject(font_);
}

int Scaled(HWND window, int pixels)
{
    return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), USER_DEFAULT_SCREEN_DPI);
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

namespace {

TTTOOLINFOW PlaceTool(HWND control, const wchar_t* text)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    tool.lpszText = const_cast<wchar_t*>(text);
    GetWindowRect(control, &tool.rect);
    MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    return tool;
}

}  // namespace

void AddPlaceToolTip(HWND toolTips, HWND control, const wchar_t* text)
{
    TTTOOLINFOW tool = PlaceTool(control, text);
    SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PlaceToolTip(HWND toolTips, HWND control)
{
    TTTOOLINFOW tool = PlaceTool(control, nullptr);
    SendMessageW(toolTips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetPlaceToolTipText(HWND toolTips, HWND control, const wchar_t* text)
{
    TTTOOLINFOW tool = PlaceTool(control, text);
    SendMessageW(toolTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND CreateControl(HWND parent, HFONT font, const wchar_t* className, const wchar_t* text, DWORD style,
                   const RECT& place, int id)
{
    const HWND control = CreateWindowExW(
        0, className, text, WS_CHILD | WS_VISIBLE | style, Scaled(parent, place.left), Scaled(parent, place.top),
        Scaled(parent, place.right - place.left), Scaled(parent, place.bottom - place.top), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void SetClientSize(HWND window, SIZE size)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT outer = {0, 0, Scaled(window, size.cx), Scaled(window, size.cy)};
    AdjustWindowRectExForDpi(&outer, style, FALSE, exStyle, GetDpiForWindow(window));
    // Without SWP_NOACTIVATE a window being made, still hidden, would
    // take the keys typed in the window that opens it.
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceBesideWindow(HWND window, HWND anchor)
{
    RECT outer = {};
    RECT anchorOuter = {};
    GetWindowRect(window, &outer);
    GetWindowRect(anchor, &anchorOuter);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const ScreenRect place = PlaceBeside(
        {anchorOuter.left, anchorOuter.top, anchorOuter.right - anchorOuter.left, anchorOuter.bottom - anchorOuter.top},
        outer.right - outer.left, outer.bottom - outer.top,
        {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowInFrontLeavingTyping(HWND window, HWND focus)
{
    const HWND typing = GetFocus();
    wchar_t kind[8] = {};
    if (typing != nullptr && GetAncestor(typing, GA_ROOT) != window && GetClassNameW(typing, kind, 8) > 0 &&
        lstrcmpiW(kind, L"Edit") == 0) {
        ShowWindow(window, IsIconic(window) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(focus);
}

void HoldInputDuring(HWND window, const std::function<void()>& work)
{
    const HWND focus = GetFocus();
    EnableWindow(window, FALSE);
    work();
    MSG dropped;
    while (PeekMessageW(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&dropped, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    EnableWindow(window, TRUE);
    SetFocus(focus);
}

std::string WindowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
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
