#include "startup/auto_install.h"

#include "startup/auto_install_call.h"
#include "startup/package_paths.h"
#include "startup/package_series.h"
#include "startup/welcome_text.h"
#include "core/path_helpers.h"
#include "ops/error_report.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_recorder.h"

namespace mw {
namespace {

// A fresh lookup each time: the empty text when it finds no installation.
std::string Gp4Folder(const RunState& state)
{
    std::string folder;
    state.Installation->FindInstallationFolder(folder);
    return folder;
}

// The package's mod is named after its folder below UpdateFolder.
std::string PackageName(const std::string& sourceBelowUpdateFolder)
{
    const std::string source = NativePath(sourceBelowUpdateFolder);
    const std::size_t first = source.find_first_not_of(kNativeSeparator);
    if (first == std::string::npos)
        return kUpdateFolder;
    return source.substr(first, source.find(kNativeSeparator, first) - first);
}

// The update the package asks for, as its button would run it; nothing
// after a refusal. An argument that leads outside its folder is refused,
// naming it, and so is what the update itself would refuse: all before
// anything is asked or written.
std::optional<UpdateRequest> PackageRequest(const AutoInstallCall& call, const RunState& state, Frontend& mainWindow)
{
    // Without an installation the update refuses before it reads the archive
    // field, and no path at the file-system root is built.
    const std::string folder = Gp4Folder(state);
    std::string archive;
    if (!folder.empty()) {
        const std::optional<std::string> resolved = ResolvePackagePath(folder, call.archiveBelowGp4);
        if (!resolved) {
            mainWindow.ShowRefusal({RefusalKind::ArchiveOutsideGp4, call.archiveBelowGp4});
            return std::nullopt;
        }
        archive = *resolved;
    }
    const std::optional<std::string> source = ResolvePackagePath(kUpdateFolder, call.sourceBelowUpdateFolder);
    if (!source) {
        mainWindow.ShowRefusal({RefusalKind::SourceOutsideUpdateFolder, call.sourceBelowUpdateFolder});
        return std::nullopt;
    }
    if (const std::optional<std::string> outside = FirstFileOutside(*source, kUpdateFolder)) {
        mainWindow.ShowRefusal({RefusalKind::SourceOutsideUpdateFolder, *outside});
        return std::nullopt;
    }
    UpdateRequest request{*source, archive, {}};
    request.options.fromPackage = true;
    request.options.modName = PackageName(call.sourceBelowUpdateFolder);
    if (!CheckUpdateRequest(state, mainWindow, request))
        return std::nullopt;
    return request;
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

int Run(const AutoInstallCall& call, RunState& state, ProgramShell& shell, StartupDialogs& dialogs)
{
    CallSteps steps = call.steps;
    // A "\Run" or "\End" that no live series awaits is a call of its own:
    // it asks, and joins no other package's undo group.
    if (steps.readsContinue && !SeriesIsLive(*state.Settings))
        steps = kSingleCall;
    const PackageStep step = PackageStepOf(steps);
    if (step == PackageStep::Run)
        MarkSeriesStep(*state.Settings);
    else if (step == PackageStep::End)
        EndSeries(*state.Settings);
    if (steps.readsContinue && !state.Settings->ReadSettingFlag(kContinueValue, true))
        return kExitDone;
    std::optional<UpdateRequest> request = PackageRequest(call, state, shell.MainFrontend());
    if (!request)
        return kExitRefused;
    if (steps.asks) {
        if (steps.storesAnswer)
            state.Settings = shell.OpenSettings();
        const bool yes = dialogs.AskQuestion(WelcomeText(Gp4Folder(state)));
        if (steps.storesAnswer) {
            state.Settings->WriteSettingFlag(kContinueValue, yes);
            MarkSeriesStep(*state.Settings);
        }
        if (!yes)
            return kExitDone;
    }
    // A package's whole run, "\Start" to "\End", is undone as one.
    request->options.undoGroup = PackageUndoGroup(*state.Settings, step);
    // After a refusal the update has shown its own message; success is
    // reported only for an update that ran to its end.
    const bool updated = UpdateWad(state, shell.MainFrontend(), *request);
    // The series' idle time counts from the end of its last step.
    if (step == PackageStep::Start || step == PackageStep::Run)
        MarkSeriesStep(*state.Settings);
    if (!updated)
        return kExitRefused;
    if (steps.reportsSuccess)
        dialogs.ShowMessage(kPatchedMessage);
    return kExitDone;
}

}  // namespace

int RunAutoInstall(const std::vector<std::string>& arguments, RunState& state, ProgramShell& shell,
                   StartupDialogs& dialogs)
{
    const std::optional<AutoInstallCall> call = ReadAutoInstallCall(arguments);
    if (!call)
        return kExitDone;
    int exitCode = kExitDone;
    const auto show = [&dialogs](const ErrorReport& report) { dialogs.ShowErrorDisplay(report); };
    if (!RunReportingErrors([&] { exitCode = Run(*call, state, shell, dialogs); }, show))
        return kExitFileError;
    return exitCode;
}

}  // namespace mw
