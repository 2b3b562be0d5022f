#include "app/program_windows.h"

namespace mw {

ProgramWindows::ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs)
    : openSettings(openSettings), mainWindow(state, openSettings, dialogs), folderChooser(mainWindow), manualPathWindow(mainWindow)
{
    mainWindow.SetSmallWindows(&folderChooser, &manualPathWindow);
}

}  // namespace mw
