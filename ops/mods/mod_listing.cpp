#include "ops/mods/mod_listing.h"

#include <map>
#include <memory>
#include <set>

#include "core/errors.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "ops/mods/layer_rewrite.h"

namespace mw {
namespace {

// The ledger with every mod enabled that is not folded in.
ModLedger AllEnabled(ModLedger ledger)
{
    for (InstalledMod& mod : ledger.mods)
        for (ModArchiveFiles& files : mod.archives)
            files.enabled = true;
    return ledger;
}

struct Layering {
    LayeredArchive archive;
    std::vector<FileOutcome> outcomes;
};

Layering LayeringOf(const ModLedger& ledger, std::uint32_t archive)
{
    Layering layering;
    const LedgerArchive& place = ledger.archives[archive];
    layering.archive = LayerMods(place.found, ledger.LayersOf(archive), place.path, &layering.outcomes);
    return layering;
}

// A mod's entries by what it did to them, each entry by archive and index.
using EntryKeys = std::set<std::pair<std::uint32_t, std::int32_t>>;
struct Counts {
    EntryKeys replaced, appended, overwritten;
};

// Adds what a layering of archive says of each mod: its replaced and
// appended entries, and those a later mod overwrote with other bytes.
void Count(const ModLedger& ledger, std::uint32_t archive, const Layering& layering,
           std::map<std::uint64_t, Counts>& counts)
{
    for (const FileOutcome& outcome : layering.outcomes) {
        const std::pair key(archive, outcome.entry);
        Counts& own = counts[outcome.mod];
        (outcome.appended ? own.appended : own.replaced).insert(key);
        const LayeredEntry& before = outcome.before;
        const ModFile& file = ledger.ModById(outcome.mod)->FilesFor(archive)->files[outcome.file];
        if (!outcome.appended && before.writtenBy != kFoundLayer && before.writtenBy != outcome.mod &&
            !(before.content == file.content))
            counts[before.writtenBy].overwritten.insert(key);
    }
}

// The entries of the live archive whose bytes are not those expected, by
// name; none while the archive bears the stamp of Mendwright's last write.
struct LiveCheck {
    bool missing = false;
    std::set<std::string> changed;
};

LiveCheck CheckLive(const LedgerArchive& place, const LayeredArchive& expected)
{
    LiveCheck check;
    auto file = std::make_shared<File>();
    try {
        file->Open(place.path, OpenMode::ReadOnly);
    } catch (const AppError&) {
        check.missing = true;
        return check;
    }
    if (StampOf(*file) == place.written)
        return check;
    WadImage image;
    ReadWadDirectory(*file, image.Entries);
    const std::int64_t length = file->Length();
    LiveArchive live(image, file);
    bool sameOrder = false;
    const std::vector<std::int64_t> at = AlignToLive(expected.directory, image.Entries, sameOrder);
    std::set<std::int64_t> seen;
    for (std::size_t i = 0; i < at.size(); ++i) {
        const std::string name(EntryName(expected.directory[i]));
        if (at[i] < 0) {
            check.changed.insert(name);
            continue;
        }
        const auto k = static_cast<std::size_t>(at[i]);
        seen.insert(at[i]);
        const WadEntry& entry = image.Entries[k];
        if (PayloadFault(entry, static_cast<std::int32_t>(k), length) || !live.Holds(k, expected.entries[i].content))
            check.changed.insert(name);
    }
    for (std::size_t k = 0; k < image.Entries.size(); ++k)
        if (!seen.contains(static_cast<std::int64_t>(k)))
            check.changed.emplace(EntryName(image.Entries[k]));
    return check;
}

}  // namespace

std::vector<ModSummary> SummariesOf(const ModLedger& ledger)
{
    const ModLedger all = AllEnabled(ledger);
    std::map<std::uint64_t, Counts> now, ifEnabled;
    for (std::uint32_t a = 0; a < ledger.archives.size(); ++a) {
        Count(ledger, a, LayeringOf(ledger, a), now);
        Count(all, a, LayeringOf(all, a), ifEnabled);
    }
    std::vector<ModSummary> summaries;
    for (const InstalledMod& mod : ledger.mods) {
        ModSummary summary;
        summary.name = mod.name;
        summary.state = mod.Enabled()    ? ModSummary::State::Enabled
                        : mod.Disabled() ? ModSummary::State::Disabled
                                         : ModSummary::State::Partly;
        summary.permanent = mod.permanent;
        summary.time = mod.time;
        summary.source = mod.source;
        summary.origin = mod.origin;
        for (const ModArchiveFiles& files : mod.archives)
            summary.archives.push_back(ledger.archives[files.archive].path);
        const Counts& counts = (summary.state == ModSummary::State::Disabled ? ifEnabled : now)[mod.id];
        summary.replaced = static_cast<int>(counts.replaced.size());
        summary.appended = static_cast<int>(counts.appended.size());
        summary.overwritten = static_cast<int>(now[mod.id].overwritten.size());
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

std::vector<ModEntry> EntriesOf(const ModLedger& ledger, const InstalledMod& mod)
{
    const ModLedger all = AllEnabled(ledger);
    std::vector<ModEntry> entries;
    for (const ModArchiveFiles& files : mod.archives) {
        const LedgerArchive& place = ledger.archives[files.archive];
        const Layering live = LayeringOf(ledger, files.archive);
        // A disabled mod's entries are those it would have enabled again.
        const Layering own = files.enabled ? live : LayeringOf(all, files.archive);
        const LiveCheck check = CheckLive(place, live.archive);
        std::map<std::string, std::size_t> liveIndex;
        for (std::size_t i = 0; i < live.archive.directory.size(); ++i)
            liveIndex.try_emplace(std::string(EntryName(live.archive.directory[i])), i);
        // In the archive's order, each entry once.
        std::map<std::int32_t, const FileOutcome*> byEntry;
        for (const FileOutcome& outcome : own.outcomes)
            if (outcome.mod == mod.id)
                byEntry.try_emplace(outcome.entry, &outcome);
        for (const auto& [index, first] : byEntry) {
            const FileOutcome& outcome = *first;
            ModEntry entry;
            entry.archive = place.path;
            entry.entry = EntryName(own.archive.directory[static_cast<std::size_t>(outcome.entry)]);
            entry.appended = outcome.appended;
            const auto at = liveIndex.find(entry.entry);
            const std::uint64_t writer =
                at == liveIndex.end() ? kFoundLayer : live.archive.entries[at->second].writtenBy;
            if (at == liveIndex.end())
                entry.winner = ModEntry::Winner::Absent;
            else if (check.changed.contains(entry.entry))
                entry.winner = ModEntry::Winner::Outside;
            else if (writer == mod.id)
                entry.winner = ModEntry::Winner::ThisMod;
            else if (writer == kFoundLayer)
                entry.winner = ModEntry::Winner::Found;
            else {
                entry.winner = ModEntry::Winner::LaterMod;
                entry.laterMod = ledger.ModById(writer)->name;
            }
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::vector<ArchiveStatus> StatusOf(const ModLedger& ledger)
{
    std::vector<ArchiveStatus> statuses;
    for (std::uint32_t a = 0; a < ledger.archives.size(); ++a) {
        const LedgerArchive& place = ledger.archives[a];
        const Layering live = LayeringOf(ledger, a);
        ArchiveStatus status;
        status.archive = place.path;
        for (const ModLayer& layer : ledger.LayersOf(a))
            status.mods.push_back(ledger.ModById(layer.mod)->name);
        const LiveCheck check = CheckLive(place, live.archive);
        status.missing = check.missing;
        status.changedOutside.assign(check.changed.begin(), check.changed.end());
        statuses.push_back(std::move(status));
    }
    return statuses;
}

std::map<std::string, std::string> ModsHoldingEntries(const ModLedger& ledger, const std::string& canonicalArchive)
{
    std::map<std::string, std::string> holders;
    const auto archive = ledger.ArchiveIndex(canonicalArchive);
    if (!archive)
        return holders;
    const Layering live = LayeringOf(ledger, *archive);
    for (std::size_t i = 0; i < live.archive.directory.size(); ++i)
        if (const std::uint64_t writer = live.archive.entries[i].writtenBy; writer != kFoundLayer)
            holders.try_emplace(std::string(EntryName(live.archive.directory[i])), ledger.ModById(writer)->name);
    return holders;
}

}  // namespace mw
