// The program's three windows and the state they share, created in the
// start-up order: the main window first (its creation fills its fields),
// then the folder chooser and the Manual Path Entry window, both hidden.
#pragma once

#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "ui/dialogs/dialogs.h"
#include "ui/folder_chooser.h"
#include "ui/manual_path_window.h"
#include "ui/main_window.h"

namespace mw {

struct ProgramWindows {
    ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs);

    // Opens the settings store anew, as the main window's creation does.
    const SettingsFactory openSettings;
    MainWindow mainWindow;
    FolderChooser folderChooser;
    ManualPathWindow manualPathWindow;
};

}  // namespace mw
