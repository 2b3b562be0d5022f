#include "app/auto_install.h"

#include "app/auto_install_call.h"
#include "app/package_paths.h"
#include "app/welcome_text.h"
#include "core/path_helpers.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_recorder.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/error_guard.h"
#include "ui/text.h"

namespace mw {
namespace {

// A fresh lookup each time: the empty text when it finds no installation.
std::string Gp4Folder(RunState& state)
{
    std::string folder;
    state.Installation->FindInstallationFolder(folder);
    return folder;
}

// The two fields filled as the package asks, then the update as if its
// button had been clicked. True when it ran to its end. An argument that
// leads outside its folder is refused, naming it, before anything is written.
bool RunUpdate(const AutoInstallCall& call, RunState& state, MainWindow& mainWindow)
{
    // Without an installation the update refuses before it reads the archive
    // field, and no path at the file-system root is built.
    const std::string folder = Gp4Folder(state);
    std::string archive;
    if (!folder.empty()) {
        const std::optional<std::string> resolved = ResolvePackagePath(folder, call.archiveBelowGp4);
        if (!resolved) {
            mainWindow.ShowUserError(kArchiveOutsideGp4Prefix + PrintableText(call.archiveBelowGp4));
            return false;
        }
        archive = *resolved;
    }
    const std::optional<std::string> source = ResolvePackagePath(kUpdateFolder, call.sourceBelowUpdateFolder);
    if (!source) {
        mainWindow.ShowUserError(kSourceOutsideUpdateFolderPrefix + PrintableText(call.sourceBelowUpdateFolder));
        return false;
    }
    if (const std::optional<std::string> outside = FirstFileOutside(*source, kUpdateFolder)) {
        mainWindow.ShowUserError(kSourceOutsideUpdateFolderPrefix + PrintableText(*outside));
        return false;
    }
    mainWindow.SetSourceText(*source);
    mainWindow.SetArchiveText(archive);
    return UpdateWad(state, mainWindow);
}

// Which call of a series this is, by what it does.
PackageStep PackageStepOf(const CallSteps& steps)
{
    if (steps.storesAnswer)
        return PackageStep::Start;
    if (!steps.readsContinue)
        return PackageStep::Single;
    return steps.reportsSuccess ? PackageStep::End : PackageStep::Run;
}

int Run(const AutoInstallCall& call, RunState& state, ProgramWindows& windows, Dialogs& dialogs)
{
    const CallSteps& steps = call.steps;
    if (steps.readsContinue && !state.Settings->ReadSettingFlag(kContinueValue, true))
        return kExitDone;
    if (steps.asks) {
        if (steps.storesAnswer)
            state.Settings = windows.openSettings();
        const bool yes = dialogs.AskQuestion(ToQt(WelcomeText(Gp4Folder(state))));
        if (steps.storesAnswer)
            state.Settings->WriteSettingFlag(kContinueValue, yes);
        if (!yes)
            return kExitDone;
    }
    // A package's whole run, "\Start" to "\End", is undone as one.
    JoinPackageUndoGroup(state, PackageStepOf(steps));
    // After a refusal the update has shown its own message; success is
    // reported only for an update that ran to its end.
    if (!RunUpdate(call, state, windows.mainWindow))
        return kExitRefused;
    if (steps.reportsSuccess)
        windows.mainWindow.ShowUserError(kPatchedMessage);
    return kExitDone;
}

}  // namespace

int RunAutoInstall(const std::vector<std::string>& arguments, RunState& state, ProgramWindows& windows,
                   Dialogs& dialogs)
{
    const std::optional<AutoInstallCall> call = ReadAutoInstallCall(arguments);
    if (!call)
        return kExitDone;
    int exitCode = kExitDone;
    if (!RunHandler(dialogs, [&] { exitCode = Run(*call, state, windows, dialogs); }))
        return kExitFileError;
    return exitCode;
}

}  // namespace mw
