#include "cli/cli_run.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/console_frontend.h"
#include "cli/entry_listing.h"
#include "cli/exit_codes.h"
#include "cli/find_command.h"
#include "cli/installation_lookup.h"
#include "cli/mods_command.h"
#include "cli/undo_history.h"
#include "core/console.h"
#include "core/elapsed_time.h"
#include "core/entry_text.h"
#include "core/error_causes.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/file.h"
#include "core/version.h"
#include "core/wad.h"
#include "ops/messages.h"
#include "ops/operations.h"
#include "ops/undo_wad.h"
#include "ops/verify_wad.h"

namespace mw::cli {
namespace {

void ListArchive(const std::string& archiveName, bool json)
{
    File archive(archiveName, OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    ReadWadDirectory(archive, entries);
    archive.Close();
    std::string out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out += json ? JsonListItem(i, entries[i], i == 0) : ListLine(i, entries[i]);
        if (out.size() > 1 << 16) {
            WriteStandardOutput(out);
            out.clear();
        }
    }
    if (json)
        out += entries.empty() ? "[]\n" : "\n]\n";
    WriteStandardOutput(out);
}

int VerifyArchive(const Invocation& invocation)
{
    const std::string& archive = invocation.operands[0];
    VerifyResult result;
    {
        ConsoleFrontend frontend("", archive, "", invocation.verbosity);
        result = VerifyWad(archive, frontend);
    }
    for (const ArchiveFault& fault : result.faulty)
        WriteStandardOutput(std::to_string(fault.index) + '\t' + PrintableText(ShownEntryName(fault.entryName)) +
                            '\t' + ArchiveFaultCause(archive, fault) + '\n');
    if (invocation.verbosity != Verbosity::Quiet) {
        const std::string count = CountText(static_cast<std::size_t>(result.entries), "entry", "entries") + ", ";
        WriteStandardOutput(result.faulty.empty() ? count + "all sound\n"
                                                  : count + std::to_string(result.faulty.size()) + " faulty\n");
    }
    return result.faulty.empty() ? kExitDone : kExitFileError;
}

int RunOperation(const Invocation& invocation)
{
    const auto& operands = invocation.operands;
    RunState state;
    state.DecimalSeparator = UserDecimalSeparator();
    state.WaitForOtherUpdates = !invocation.noWait;
    if (invocation.noUndo)
        state.UndoFolder.clear();
    std::string source, archive, chosen;
    switch (invocation.command) {
    case Command::Create: source = operands[0]; chosen = operands[1]; break;
    case Command::Extract: archive = operands[0]; chosen = operands[1]; break;
    case Command::Update: source = operands[0]; archive = operands[1]; break;
    case Command::Undo: archive = operands[0]; break;
    case Command::UpdateTracks:
        source = operands[0];
        state.Installation = invocation.gp4Folder ? std::make_unique<FixedGp4Installation>(*invocation.gp4Folder)
                                                  : LookupInstallation();
        break;
    default: break;
    }
    ConsoleFrontend frontend(source, archive, chosen, invocation.verbosity, invocation.dryRun, invocation.force);
    const bool preview = invocation.dryRun;
    switch (invocation.command) {
    case Command::Create: CreateWad(state, frontend, {source}); break;
    case Command::Extract: ExtractWad(state, frontend, {archive, {operands.begin() + 2, operands.end()}}); break;
    case Command::Update:
    case Command::UpdateTracks: {
        UpdateRequest request{source, archive, {}};
        request.options.trackBatch = invocation.command == Command::UpdateTracks;
        request.options.preview = preview;
        request.options.modName = invocation.modName.value_or("");
        UpdateWad(state, frontend, request);
        break;
    }
    case Command::Undo: UndoWad(state, frontend, {archive, invocation.steps.value_or(1)}); break;
    default: break;
    }
    frontend.EndProgressLine();
    if (frontend.refused() && invocation.command == Command::UpdateTracks && !invocation.gp4Folder &&
        !state.Installation->FoundInstallation())
        PrintError(kGp4FolderHint);
    if (frontend.refused())
        return kExitRefused;
    // A preview's stdout holds its lines and nothing else.
    if (invocation.verbosity != Verbosity::Quiet && !invocation.dryRun)
        WriteStandardOutput(frontend.lastStatus() + '\n');
    return kExitDone;
}

int Run(const Invocation& invocation)
{
    switch (invocation.command) {
    case Command::Help:
        WriteStandardOutput(invocation.helpTopic ? CommandHelp(*invocation.helpTopic) : UsageText());
        return kExitDone;
    case Command::Version: WriteStandardOutput("mendwright-cli " MENDWRIGHT_VERSION "\n"); return kExitDone;
    case Command::List: ListArchive(invocation.operands[0], invocation.json); return kExitDone;
    case Command::Verify: return VerifyArchive(invocation);
    case Command::History: return PrintHistory(invocation.operands[0], invocation.verbosity == Verbosity::Quiet);
    case Command::Find: return FindInInstallation(invocation);
    case Command::Mods: return RunModsCommand(invocation);
    case Command::Status: return RunStatusCommand(invocation);
    default: return RunOperation(invocation);
    }
}

int RunReportingErrors(const Invocation& invocation)
{
    try {
        const int exitCode = Run(invocation);
        FlushStandardOutput();
        return exitCode;
    } catch (const AppError& failure) {
        (void)std::fflush(stdout);
        // An error that names no file is printed without one, never with a guess.
        PrintError(WithFullStop(failure.what()), failure.path(), PlainCause(failure));
    } catch (const std::bad_alloc&) {
        const OutOfMemoryError failure;
        PrintError(WithFullStop(failure.what()), {}, PlainCause(failure));
    }
    return kExitFileError;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments)
{
    Invocation invocation;
    try {
        invocation = ParseArguments(arguments);
    } catch (const UsageError& wrong) {
        PrintUsageError(wrong.what());
        return kExitUsage;
    }
    const int exitCode = RunReportingErrors(invocation);
    // Nothing is left to say where stderr itself cannot be written.
    if (!StandardErrorWritten())
        return kExitFileError;
    return exitCode;
}

}  // namespace mw::cli

