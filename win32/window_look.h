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
// The tooltips of window's controls: made once, then each control added.
HWND CreateToolTips(HWND window);
void AddToolTip(HWND toolTips, HWND control, const wchar_t* text);

// A top-level window of the program with an object behind it: each message
// goes to the object's HandleMessage.
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;

protected:
    // Registers the class (button-face background, the program's icon) and
    // creates the window; window_ is set from its first message on.
    void CreateProgramWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, SIZE size,
                             HWND owner);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace mw
