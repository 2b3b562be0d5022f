// The look that every window of the Win32 program shares.
#pragma once

#include <windows.h>

namespace mw {

// Pixels at 96 dots per inch in the window's own DPI.
int Scaled(HWND window, int pixels);
// "MS Sans Serif" 11 pixels high at 96 dots per inch, in the window's DPI.
HFONT CreateWindowFont(HWND window);
// A label's width: like a self-sizing label, wider than given when the
// font needs more room for its text.
int LabelWidth(HWND window, HFONT font, const wchar_t* text, int width);

}  // namespace mw
