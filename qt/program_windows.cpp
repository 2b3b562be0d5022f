#include "qt/program_windows.h"

#include "qt/qstring_conversion.h"
#include "qt/widgets/file_field.h"

namespace mw {

ProgramWindows::ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs)
    : openSettings(openSettings), dialogs(dialogs), mainWindow(state, openSettings, dialogs),
      folderChooser([this](const QString& folder) { mainWindow.SourceField()->SetFilename(folder); }),
      manualPathWindow([this](const QString& folder) { mainWindow.UseGp4Folder(folder); })
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
