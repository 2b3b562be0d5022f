#include "win32/status_bar.h"

#include "core/win32/wide_text.h"

namespace mw {

void PaintStatusBar(HDC dc, const RECT& area, HFONT font, int percent, const std::string& text)
{
    RECT inner = area;
    DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    RECT fill = inner;
    fill.right = fill.left + (inner.right - inner.left) * percent / 100;
    FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ old = SelectObject(dc, font);
    const std::wstring wide = WideFromUtf8(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inner,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace mw
