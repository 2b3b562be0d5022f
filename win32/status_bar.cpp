#include "win32/status_bar.h"

#include "core/win32/wide_text.h"
#include "startup/status_bar_fill.h"

namespace mw {
namespace {

// The bar's fill, the same solid blue as the Qt window's.
constexpr COLORREF kFillColour = RGB(105, 174, 231);

}  // namespace

void PaintStatusBar(HDC dc, const RECT& area, HFONT font, int percent, const std::string& text)
{
    RECT inner = area;
    DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    RECT fill = inner;
    fill.right = fill.left + StatusBarFillWidth(inner.right - inner.left, percent);
    const HBRUSH fillBrush = CreateSolidBrush(kFillColour);
    FillRect(dc, &fill, fillBrush);
    DeleteObject(fillBrush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = WideFromUtf8(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inner,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace mw
