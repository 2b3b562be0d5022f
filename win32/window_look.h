// The look that every window of the Win32 program shares.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace mw {

// The tooltips of window's controls: made once, then each control added.
HWND CreateToolTips(HWND window);
void AddToolTip(HWND toolTips, HWND control, const wchar_t* text);
// A tool tip over the control's place in its parent, which shows also while
// the control is disabled (a disabled control takes no mouse input: its
// parent does). Placed again after the control moved; its text changed.
void AddPlaceToolTip(HWND toolTips, HWND control, const wchar_t* text);
void PlaceToolTip(HWND toolTips, HWND control);
void SetPlaceToolTipText(HWND toolTips, HWND control, const wchar_t* text);

// Pixels at 96 dots per inch in window's DPI.
int Scaled(HWND window, int pixels);

// A child control in the font, its place given in client coordinates at
// 96 dots per inch (left, top, right, bottom) and scaled to the parent's DPI.
HWND CreateControl(HWND parent, HFONT font, const wchar_t* className, const wchar_t* text, DWORD style,
                   const RECT& place, int id);
// Sizes a top-level window so that its client area is size at 96 dots per inch.
void SetClientSize(HWND window, SIZE size);

// Moves a top-level window beside anchor, inside the work area of
// anchor's monitor, keeping its size.
void PlaceBesideWindow(HWND window, HWND anchor);
// Shows a window the main window opens in front, its focus on focus; it
// leaves the focus in an edit field of another window, so that what the
// user types there stays there.
void ShowInFrontLeavingTyping(HWND window, HWND focus);

// Runs work with the window's input held back: keys and clicks given
// meanwhile are dropped, not replayed on the window after it.
void HoldInputDuring(HWND window, const std::function<void()>& work);

// A control's text, as UTF-8.
std::string WindowText(HWND control);

// A top-level window of the program with an object behind it: each message
// goes to the object's HandleMessage. Its places and font follow its DPI:
// the DPI it is created in, then the one each WM_DPICHANGED gives.
class ProgramWindow {
public:
    virtual ~ProgramWindow();

protected:
    // Registers the class (button-face background, the program's icon) and
    // creates the window; window_, dpi_ and font_ are set from its first
    // message on.
    void CreateProgramWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, SIZE size,
                             HWND owner);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Moves and sizes every control for dpi_ and gives each font_.
    virtual void PlaceControls() = 0;

    // Pixels at 96 dots per inch in the window's DPI.
    int Scaled(int pixels) const;
    // A label's width: like a self-sizing label, wider than given when the
    // font needs more room for its text.
    int LabelWidth(const wchar_t* text, int width) const;
    // Places a control at a rectangle given at 96 dots per inch.
    void Place(HWND control, const RECT& at, int width) const;

    HWND window_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    // "MS Sans Serif" 11 pixels high at 96 dots per inch, in the window's DPI.
    HFONT font_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Takes the DPI and makes font_ for it; the font it had is the caller's.
    void SetDpi(UINT dpi);
};

}  // namespace mw
