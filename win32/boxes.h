// The program's boxes in the platform's own look: the message box, the
// question box and the default error display, each owned by the main window.
#pragma once

#include <windows.h>

#include "startup/program_boxes.h"

namespace mw {

class Win32Boxes : public ProgramBoxes {
public:
    void SetOwner(HWND owner) { owner_ = owner; }

    // Caption "Confirmation", the question icon, "&Oui" (the default) and "Annuler".
    bool AskQuestion(const std::string& question) override;
    void ShowMessage(const std::string& message) override;
    // The error's text ending in a full stop, the details below it, the error icon.
    void ShowErrorDisplay(const ErrorReport& report) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace mw
