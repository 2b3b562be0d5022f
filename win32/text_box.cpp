// The box that asks for a line of text, for Win32Dialogs::AskText: a label,
// a field that starts with the text, OK (the default, Enter) and Cancel
// (Escape), modal to its owner.
#include "core/win32/wide_text.h"
#include "win32/dialogs.h"
#include "win32/window_look.h"

namespace mw {
namespace {

constexpr wchar_t kWindowClass[] = L"MendwrightTextBox";
constexpr SIZE kClientSize = {340, 89};  // at 96 dots per inch

enum TextBoxControl { kLabel, kField, kOk, kCancel, kControlCount };
struct Control {
    TextBoxControl id;
    const wchar_t* className;
    const wchar_t* caption;  // the label's and the field's are given
    DWORD style;
    RECT place;  // at 96 dots per inch
    int commandId;
};
constexpr Control kControls[kControlCount] = {
    {kLabel, L"STATIC", nullptr, SS_LEFT, {8, 8, 332, 21}, 0},
    {kField, L"EDIT", nullptr, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {8, 26, 332, 46}, 0},
    {kOk, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {176, 58, 251, 81}, IDOK},
    {kCancel, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {257, 58, 332, 81}, IDCANCEL},
};

class TextBox : public ProgramWindow {
public:
    TextBox(HWND owner, const std::wstring& title, const std::wstring& label, const std::wstring& text)
    {
        CreateProgramWindow(kWindowClass, title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                            {100, 100}, owner);
        SetClientSize(window_, kClientSize);
        // Over the middle of its owner.
        RECT ownerPlace = {};
        RECT place = {};
        GetWindowRect(owner ? owner : GetDesktopWindow(), &ownerPlace);
        GetWindowRect(window_, &place);
        SetWindowPos(window_, nullptr, (ownerPlace.left + ownerPlace.right - (place.right - place.left)) / 2,
                     (ownerPlace.top + ownerPlace.bottom - (place.bottom - place.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        for (const Control& control : kControls) {
            const wchar_t* caption =
                control.id == kLabel ? label.c_str() : control.id == kField ? text.c_str() : control.caption;
            controls_[control.id] = CreateControl(window_, font_, control.className, caption, control.style,
                                                  control.place, control.commandId);
        }
        field_ = controls_[kField];
    }
    ~TextBox() override
    {
        DestroyWindow(window_);
    }
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    // Shown until OK or Cancel, the owner held back meanwhile.
    std::optional<std::string> Run(HWND owner)
    {
        if (owner)
            EnableWindow(owner, FALSE);
        ShowWindow(window_, SW_SHOWNORMAL);
        SetFocus(field_);
        SendMessageW(field_, EM_SETSEL, 0, -1);
        MSG message = {};
        while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
            // Enter in the field is OK and Escape is Cancel, as in a dialog.
            if (message.message == WM_KEYDOWN && message.hwnd == field_ &&
                (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
                SendMessageW(window_, WM_COMMAND, message.wParam == VK_RETURN ? IDOK : IDCANCEL, 0);
                continue;
            }
            if (IsDialogMessageW(window_, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        // The program's end, asked for meanwhile, still ends it.
        if (!ended_)
            PostQuitMessage(static_cast<int>(message.wParam));
        if (owner) {
            EnableWindow(owner, TRUE);
            SetActiveWindow(owner);
        }
        ShowWindow(window_, SW_HIDE);
        return answer_;
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            if (LOWORD(wParam) == IDOK)
                answer_ = WindowText(field_);
            ended_ = true;
            return 0;
        }
        if (message == WM_CLOSE) {
            ended_ = true;
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    void PlaceControls() override
    {
        for (const Control& control : kControls)
            Place(controls_[control.id], control.place, Scaled(control.place.right - control.place.left));
    }

    HWND controls_[kControlCount] = {};
    HWND field_ = nullptr;
    bool ended_ = false;
    std::optional<std::string> answer_;
};

}  // namespace

std::optional<std::string> Win32Dialogs::AskText(HWND owner, const std::wstring& title, const std::wstring& label,
                                               const std::string& text)
{
    return TextBox(owner, title, label, WideFromUtf8(text)).Run(owner);
}

}  // namespace mw
