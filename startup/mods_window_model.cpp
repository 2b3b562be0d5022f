#include "startup/mods_window_model.h"

#include "core/entry_text.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/messages.h"
#include "ops/mods/mod_scope.h"
#include "ops/mods/mod_store.h"
#include "ops/mods/mod_texts.h"
#include "ops/operation_runtime.h"
#include "ops/undo_text.h"

namespace mw {
namespace {

std::string ArchiveNames(const std::vector<std::string>& archives)
{
    std::string names;
    for (const std::string& archive : archives)
        names += (names.empty() ? "" : ", ") + FileNamePart(archive);
    return names;
}

std::string Entries(int count)
{
    return CountText(static_cast<std::size_t>(count), "entry", "entries");
}

}  // namespace

std::string ModsScopeOf(const RunState& state, const std::string& archiveText)
{
    if (!archiveText.empty() && RegularFileExists(archiveText))
        return ModScopeOf(CanonicalArchivePath(archiveText));
    const std::string installation = InstallationFolder(state);
    return installation.empty() ? installation : CanonicalArchivePath(installation);
}

ModsWindowModel::ModsWindowModel(const RunState& state, std::string scope) : state_(state), scope_(std::move(scope))
{
}

void ModsWindowModel::Reload()
{
    ledger_ = scope_.empty() ? ModLedger{} : ModStore(state_.ModsFolder, scope_).ReadHeld();
    summaries_ = SummariesOf(ledger_);
    rows_.clear();
    for (const ModSummary& mod : summaries_) {
        ModRow row;
        row.name = mod.name;
        row.enabled = mod.state != ModSummary::State::Disabled;
        row.permanent = mod.permanent;
        row.date = UndoTimeText(mod.time);
        row.archives = ArchiveNames(mod.archives);
        row.entries = ModCountsText(mod);
        if (mod.overwritten > 0)
            row.conflict = std::to_string(mod.overwritten) + " overwritten";
        rows_.push_back(std::move(row));
    }
}

std::vector<ModEntryRow> ModsWindowModel::EntryRows(std::size_t row) const
{
    std::vector<ModEntryRow> entries;
    const InstalledMod* mod = row < summaries_.size() ? ledger_.ModByName(summaries_[row].name) : nullptr;
    if (mod == nullptr)
        return entries;
    for (const ModEntry& entry : EntriesOf(ledger_, *mod))
        entries.push_back({FileNamePart(entry.archive), ShownEntryName(entry.entry),
                           entry.appended ? "appended" : "replaced", EntryWinnerText(entry)});
    return entries;
}

std::string ModsWindowModel::StatusText() const
{
    std::string text;
    for (const ArchiveStatus& status : StatusOf(ledger_))
        text += (text.empty() ? "" : "\n") + FileNamePart(status.archive) + ": " + ArchiveStatusText(status);
    return text;
}

std::string ModsWindowModel::SummaryText() const
{
    if (scope_.empty())
        return kNoInstallationMessage;
    const std::size_t count = rows_.size();
    return (count == 0 ? std::string("No mods") : CountText(count, "mod", "mods")) +
           " installed in " + scope_;
}

ModChangeRequest ModsWindowModel::RequestFor(std::size_t row, ModAction action, bool dryRun) const
{
    return {scope_, {rows_.at(row).name}, action, dryRun, false};
}

ModsWindowModel::Buttons ModsWindowModel::ButtonsFor(int row) const
{
    const bool chosen = row >= 0 && static_cast<std::size_t>(row) < rows_.size() && !rows_[row].permanent;
    const bool enabled = chosen && rows_[row].enabled;
    return {chosen && !enabled, enabled, chosen};
}

std::optional<ModChangeRequest> ModsWindowModel::ChangeFor(
    int row, ModAction action, Frontend& frontend, const std::function<void(const std::function<void()>&)>& heldBack,
    const std::function<bool(const std::string&)>& ask) const
{
    if (!ButtonsFor(row).remove)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(row);
    if (action == ModAction::Remove) {
        // A dry run of the removal, which also refuses (and asks nothing)
        // where another program changed entries.
        std::vector<ArchiveChanges> changes;
        bool possible = false;
        heldBack([&] { possible = ChangeMods(state_, frontend, RequestFor(index, action, true), &changes); });
        if (!possible || !ask(RemoveQuestion(rows_[index].name, changes)))
            return std::nullopt;
    }
    return RequestFor(index, action);
}

std::string RemoveQuestion(const std::string& name, const std::vector<ArchiveChanges>& changes)
{
    std::string question = "Remove the mod " + name + " for good?\n";
    for (const ArchiveChanges& archive : changes) {
        int back = 0, out = 0;
        for (const EntryChange& change : archive.changes)
            (change.kind == EntryChange::Kind::Removed ? out : back) += 1;
        question += "\n" + FileNamePart(archive.archive) + ": ";
        if (back > 0)
            question += Entries(back) + " back as before it";
        if (out > 0)
            question += std::string(back > 0 ? ", " : "") + Entries(out) + " it appended taken out";
        if (back == 0 && out == 0)
            question += "nothing to take out";
    }
    return question + "\n\nIts kept bytes are forgotten: it cannot be enabled again.";
}

}  // namespace mw
