#include "qt/program_windows.h"

#include <QApplication>
#include <QTimer>

#include "qt/operation_run.h"
#include "qt/qstring_conversion.h"
#include "startup/given_path.h"
#include "startup/hand_over.h"
#include "qt/widgets/file_field.h"

namespace mw {

ProgramWindows::ProgramWindows(RunState& state, const SettingsFactory& openSettings, Dialogs& dialogs)
    : openSettings(openSettings), dialogs(dialogs), mainWindow(state, openSettings, dialogs),
      folderChooser([this](const QString& folder) { mainWindow.SourceField()->SetFilename(folder); }),
      manualPathWindow([this](const QString& folder) { mainWindow.UseGp4Folder(folder); })
{
    mainWindow.SetSmallWindows(&folderChooser, &manualPathWindow);
}

bool ProgramWindows::TakeHandedOverArchive(const std::string& archive)
{
    if (OperationRun::AnyRuns() || QApplication::activeModalWidget() != nullptr || !IsWadFile(archive))
        return false;
    // Opened once the start that handed it over has its answer: opening
    // may show an error, which waits for the user.
    QTimer::singleShot(0, &mainWindow, [this, archive] { OpenHandedOverArchive(archive, *this); });
    return true;
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
