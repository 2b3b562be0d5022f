// The program's boxes in the platform's own look: the message box, the
// question box and the default error display, each owned by the main
// window; and the dialogs of the contents window, owned by the window given.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "startup/startup_dialogs.h"

namespace mw {

class Win32Dialogs : public StartupDialogs {
public:
    void SetOwner(HWND owner) { owner_ = owner; }

    // Caption "Confirmation", the question icon, "&Oui" (the default) and "Annuler".
    bool AskQuestion(const std::string& question) override;
    void ShowMessage(const std::string& message) override;
    // The error's text ending in a full stop, the details below it, the error icon.
    void ShowErrorDisplay(const ErrorReport& report) override;

    // The open dialog for any file: the chosen files' full paths, none
    // when it was cancelled; one at most unless several.
    virtual std::vector<std::string> ChooseFiles(HWND owner, const std::wstring& title, bool several);
    // A folder chosen in a folder dialog that opens in startFolder.
    virtual std::optional<std::string> ChooseFolder(HWND owner, const std::wstring& title,
                                                    const std::string& startFolder);
    // A line typed in a box that starts with text.
    virtual std::optional<std::string> AskText(HWND owner, const std::wstring& title, const std::wstring& label,
                                               const std::string& text);

private:
    HWND owner_ = nullptr;
};

}  // namespace mw
