#include "qt/program_windows.h"

#include "qt/text.h"

namespace mw {

ProgramWindows::ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs)
    : openSettings(openSettings), dialogs(dialogs), mainWindow(state, openSettings, dialogs), folderChooser(mainWindow),
      manualPathWindow(mainWindow)
{
    mainWindow.SetSmallWindows(&folderChooser, &manualPathWindow);
}

bool ProgramWindows::AskQuestion(const std::string& question)
{
    return dialogs.AskQuestion(ToQt(question));
}

void ProgramWindows::ShowErrorDisplay(const ErrorReport& report)
{
    dialogs.ShowErrorDisplay(ToQt(report.message), ToQt(report.details));
}

}  // namespace mw
