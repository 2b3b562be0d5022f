// The program's three windows and the state they share, created in the
// start-up order: the main window first (its creation fills its fields),
// then the folder chooser and the Manual Path Entry window, both hidden.
// They are the start-up's shell and its dialogs.
#pragma once

#include "ops/run_state.h"
#include "settings/startup_fill.h"
#include "startup/startup_dialogs.h"
#include "startup/program_shell.h"
#include "qt/dialogs/dialogs.h"
#include "qt/folder_chooser.h"
#include "qt/manual_path_window.h"
#include "qt/main_window.h"
#include "qt/qstring_conversion.h"

namespace mw {

struct ProgramWindows : ProgramShell, StartupDialogs {
    ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs);

    Frontend& MainFrontend() override { return mainWindow; }
    MainWindowFields& MainFields() override { return mainWindow; }
    std::unique_ptr<SettingsStore> OpenSettings() override { return openSettings(); }
    void ShowMainWindow() override { mainWindow.show(); }
    void ShowContents() override { mainWindow.ShowContents(); }

    // An archive another start of the program hands over: taken (true)
    // while no operation runs and no question waits, then shown in the
    // contents window.
    bool TakeHandedOverArchive(const std::string& archive);

    bool AskQuestion(const std::string& question) override;
    void ShowMessage(const std::string& message) override { dialogs.ShowUserError(ToQt(message)); }
    void ShowErrorDisplay(const ErrorReport& report) override;

    // Opens the settings store anew, as the main window's creation does.
    const SettingsFactory openSettings;
    Dialogs& dialogs;
    MainWindow mainWindow;
    FolderChooser folderChooser;
    ManualPathWindow manualPathWindow;
};

}  // namespace mw
