// The dialogs the start-up and the auto-install mode show, given by each
// program in its platform's own look.
#pragma once

#include <string>

#include "ops/error_report.h"

namespace mw {

class StartupDialogs {
public:
    virtual ~StartupDialogs() = default;

    // The question box; true only when it was answered with "&Oui".
    virtual bool AskQuestion(const std::string& question) = 0;
    // The message box: caption kApplicationTitle, no icon, one "OK".
    virtual void ShowMessage(const std::string& message) = 0;
    // The default error display (see ErrorReport).
    virtual void ShowErrorDisplay(const ErrorReport& report) = 0;
};

}  // namespace mw
