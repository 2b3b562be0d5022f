// The program's windows as the start-up sees them: the main window, which
// the operations fill, and what it shows at start.
#pragma once

#include "ops/frontend.h"
#include "settings/startup_fill.h"

namespace mw {

class ProgramShell {
public:
    virtual ~ProgramShell() = default;

    // The main window as the operations' frontend. Its creation has already
    // filled its fields.
    virtual Frontend& MainFrontend() = 0;
    // Its two fields, for a path the program was started with.
    virtual MainWindowFields& MainFields() = 0;
    // Opens the settings store anew, as the main window's creation does.
    virtual std::unique_ptr<SettingsStore> OpenSettings() = 0;
    virtual void ShowMainWindow() = 0;
    // The archive field's archive in the contents window, beside the main window.
    virtual void ShowContents() = 0;
};

}  // namespace mw
