#include "win32/window_look.h"

#include <algorithm>

namespace mw {

int Scaled(HWND window, int pixels)
{
    return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), USER_DEFAULT_SCREEN_DPI);
}

HFONT CreateWindowFont(HWND window)
{
    return CreateFontW(-Scaled(window, 11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Sans Serif");
}

int LabelWidth(HWND window, HFONT font, const wchar_t* text, int width)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return std::max(width, static_cast<int>(size.cx));
}

}  // namespace mw
