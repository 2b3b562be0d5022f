#include "cli/mods_command.h"

#include "cli/cli_output.h"
#include "cli/console_frontend.h"
#include "cli/entry_listing.h"
#include "cli/exit_codes.h"
#include "cli/installation_lookup.h"
#include "core/console.h"
#include "core/elapsed_time.h"
#include "core/entry_text.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/messages.h"
#include "ops/mods/mod_changes.h"
#include "ops/mods/mod_listing.h"
#include "ops/mods/mod_scope.h"
#include "ops/mods/mod_store.h"
#include "ops/mods/mod_texts.h"
#include "ops/undo_store.h"
#include "ops/undo_text.h"

namespace mw::cli {
namespace {

// The installation folder --gp4 names, else the Wine prefix's; "" when none.
std::string InstallationFolderOf(const Invocation& invocation)
{
    std::string folder;
    if (invocation.gp4Folder)
        folder = *invocation.gp4Folder;
    else
        LookupInstallation()->FindInstallationFolder(folder);
    return folder.empty() ? folder : CanonicalArchivePath(folder);
}

// The ledger the command works on: --wad's archive's (its installation's
// when it lies in one), else the installation's; "" after a refusal.
std::string ScopeOf(const Invocation& invocation)
{
    if (invocation.wadArchive)
        return ModScopeOf(CanonicalArchivePath(*invocation.wadArchive));
    const std::string installation = InstallationFolderOf(invocation);
    if (installation.empty()) {
        PrintError(kNoInstallationMessage);
        PrintError(kGp4FolderHint);
    }
    return installation;
}

std::string ArchiveNames(const std::vector<std::string>& archives)
{
    std::string names;
    for (const std::string& archive : archives)
        names += (names.empty() ? "" : ",") + PrintableText(FileNamePart(archive));
    return names;
}

std::string JsonMod(const ModSummary& mod)
{
    std::string archives;
    for (const std::string& archive : mod.archives)
        archives += (archives.empty() ? "" : ", ") + JsonString(archive);
    return "  {\"name\": " + JsonString(mod.name) +
           ", \"enabled\": " + (mod.state == ModSummary::State::Enabled ? "true" : "false") +
           ", \"state\": " + JsonString(ModStateText(mod)) + ", \"permanent\": " + (mod.permanent ? "true" : "false") +
           ", \"time\": " + JsonString(UndoTimeText(mod.time)) + ", \"source\": " + JsonString(mod.source) +
           ", \"archives\": [" + archives + "], \"replaced\": " + std::to_string(mod.replaced) +
           ", \"appended\": " + std::to_string(mod.appended) + ", \"overwritten\": " + std::to_string(mod.overwritten) +
           "}";
}

int ListMods(const ModLedger& ledger, const Invocation& invocation)
{
    const std::vector<ModSummary> mods = SummariesOf(ledger);
    std::string out;
    if (invocation.json) {
        for (std::size_t i = 0; i < mods.size(); ++i)
            out += (i == 0 ? "[\n" : ",\n") + JsonMod(mods[i]);
        out += mods.empty() ? "[]\n" : "\n]\n";
    } else {
        for (const ModSummary& mod : mods)
            out += PrintableText(mod.name) + '\t' + ModStateText(mod) + '\t' + UndoTimeText(mod.time) + '\t' +
                   ArchiveNames(mod.archives) + '\t' + ModCountsText(mod) + ", " + std::to_string(mod.overwritten) +
                   " overwritten by later mods\t" + PrintableText(mod.source) + '\n';
        if (mods.empty() && invocation.verbosity != Verbosity::Quiet)
            PrintError("no mods are installed in " + PrintableText(ledger.scope));
    }
    WriteStandardOutput(out);
    return kExitDone;
}

int ShowMod(const ModLedger& ledger, const std::string& name)
{
    const InstalledMod* mod = ledger.ModByName(name);
    if (mod == nullptr) {
        PrintError(RefusalText({RefusalKind::NoSuchMod, name}));
        return kExitRefused;
    }
    std::string out;
    for (const ModEntry& entry : EntriesOf(ledger, *mod))
        out += PrintableText(FileNamePart(entry.archive)) + '\t' + PrintableText(ShownEntryName(entry.entry)) + '\t' +
               (entry.appended ? "appended" : "replaced") + '\t' + PrintableText(EntryWinnerText(entry)) + '\n';
    WriteStandardOutput(out);
    return kExitDone;
}

std::string ChangeText(const EntryChange& change, const ModLedger& ledger)
{
    const auto layer = [&](std::uint64_t id) {
        if (id == kFoundLayer)
            return std::string("the wad as found");
        const InstalledMod* mod = ledger.ModById(id);
        return "mod " + PrintableText(mod ? mod->name : std::string("?"));
    };
    switch (change.kind) {
    case EntryChange::Kind::Changed: return "now from " + layer(change.to);
    case EntryChange::Kind::Added: return "added back by " + layer(change.to);
    case EntryChange::Kind::Removed: return "taken out with " + layer(change.from);
    }
    return {};
}

int ChangeModsNamed(const Invocation& invocation, const std::string& scope, ModAction action)
{
    RunState state;
    state.DecimalSeparator = UserDecimalSeparator();
    state.WaitForOtherUpdates = !invocation.noWait;
    const ModChangeRequest request{scope,
                                   {invocation.operands.begin() + 1, invocation.operands.end()},
                                   action,
                                   invocation.dryRun,
                                   invocation.force};
    std::vector<ArchiveChanges> changes;
    ConsoleFrontend frontend("", "", "", invocation.verbosity);
    const bool done = ChangeMods(state, frontend, request, &changes);
    frontend.EndProgressLine();
    if (frontend.refused())
        return kExitRefused;
    if (invocation.dryRun || invocation.verbosity == Verbosity::Verbose) {
        const ModLedger ledger = ModStore(state.ModsFolder, scope).ReadHeld();
        std::string out;
        for (const ArchiveChanges& archive : changes)
            for (const EntryChange& change : archive.changes)
                out += PrintableText(FileNamePart(archive.archive)) + '\t' +
                       PrintableText(ShownEntryName(change.entry)) + '\t' + ChangeText(change, ledger) + '\n';
        WriteStandardOutput(out);
    }
    if (done && !invocation.dryRun && invocation.verbosity != Verbosity::Quiet)
        WriteStandardOutput(frontend.lastStatus() + '\n');
    return kExitDone;
}

}  // namespace

int RunModsCommand(const Invocation& invocation)
{
    const std::string scope = ScopeOf(invocation);
    if (scope.empty())
        return kExitRefused;
    const std::vector<std::string>& words = invocation.operands;
    const std::string verb = words.empty() ? "" : words.front();
    if (verb == "disable" || verb == "enable" || verb == "remove") {
        const ModAction action = verb == "disable"  ? ModAction::Disable
                                 : verb == "enable" ? ModAction::Enable
                                                    : ModAction::Remove;
        return ChangeModsNamed(invocation, scope, action);
    }
    const RunState state;
    const ModLedger ledger = ModStore(state.ModsFolder, scope).ReadHeld();
    if (verb == "show")
        return ShowMod(ledger, words[1]);
    return ListMods(ledger, invocation);
}

int RunStatusCommand(const Invocation& invocation)
{
    const std::string scope = ScopeOf(invocation);
    if (scope.empty())
        return kExitRefused;
    const RunState state;
    const ModLedger ledger = ModStore(state.ModsFolder, scope).ReadHeld();
    std::string out;
    for (const ArchiveStatus& status : StatusOf(ledger)) {
        out += PrintableText(status.archive) + '\t' + PrintableText(ArchiveStatusText(status)) + '\n';
    }
    if (out.empty() && invocation.verbosity != Verbosity::Quiet)
        PrintError("no wad of " + PrintableText(scope) + " was changed by Mendwright");
    WriteStandardOutput(out);
    return kExitDone;
}

}  // namespace mw::cli
