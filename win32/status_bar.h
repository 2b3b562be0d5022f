// The status bar every window of the Win32 program draws in an owner-drawn
// static: a lowered bevel, the fill up to the position, the text over both.
#pragma once

#include <windows.h>

#include <string>

namespace mw {

void PaintStatusBar(HDC dc, const RECT& area, HFONT font, int percent, const std::string& text);

}  // namespace mw
