#include "win32/dialogs.h"

#include <commctrl.h>

#include "core/win32/wide_text.h"
#include "ops/messages.h"

namespace mw {
namespace {

const std::wstring& Caption()
{
    static const std::wstring caption = WideFromUtf8(kApplicationTitle);
    return caption;
}

}  // namespace

bool Win32Dialogs::AskQuestion(const std::string& question)
{
    const std::wstring text = WideFromUtf8(question);
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, L"&Oui"}, {IDCANCEL, L"Annuler"}};
    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof(config);
    config.hwndParent = owner_;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW | TDF_USE_HICON_MAIN;
    config.pszWindowTitle = L"Confirmation";
    config.hMainIcon = LoadIconW(nullptr, IDI_QUESTION);
    config.pszContent = text.c_str();
    config.cButtons = 2;
    config.pButtons = buttons;
    config.nDefaultButton = IDYES;
    int pressed = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr)))
        return false;
    return pressed == IDYES;
}

void Win32Dialogs::ShowMessage(const std::string& message)
{
    MessageBoxW(owner_, WideFromUtf8(message).c_str(), Caption().c_str(), MB_OK);
}

void Win32Dialogs::ShowErrorDisplay(const ErrorReport& report)
{
    std::string text = WithFullStop(report.message);
    if (!report.details.empty())
        text += "\n\n" + report.details;
    MessageBoxW(owner_, WideFromUtf8(text).c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace mw
