#include "ops/mods/mod_cap.h"

#include <algorithm>

#include "core/private_folder.h"
#include "ops/mods/layer_rewrite.h"
#include "ops/mods/mod_store.h"
#include "ops/undo_store.h"

namespace mw {
namespace {

std::int64_t UndoBytes(const RunState& state)
{
    std::int64_t bytes = 0;
    for (const UndoRecordFile& record : UndoStore(state.UndoFolder, state.UndoCap).AllRecords())
        bytes += record.bytes;
    return bytes;
}

// The found state of an archive with the mod's files installed over it.
void FoldInto(LedgerArchive& archive, const InstalledMod& mod, const ModArchiveFiles& files)
{
    const ModLayer layer{mod.id, files.archiveName, files.files};
    const LayeredArchive layered = LayerMods(archive.found, std::span(&layer, 1), archive.path);
    FoundArchive folded;
    folded.directory = layered.directory;
    for (const LayeredEntry& entry : layered.entries) {
        folded.contents.push_back(entry.content);
        folded.writers.push_back(entry.writtenBy);
    }
    archive.found = std::move(folded);
}

}  // namespace

std::int64_t KeptBytesOfStore(const std::string& modsFolder)
{
    std::int64_t bytes = 0;
    const PrivateFolder store = PrivateFolder::Open(modsFolder);
    if (!store.IsOpen())
        return 0;
    for (const PrivateFolder::Entry& scope : store.Entries()) {
        if (scope.kind != EntryKind::Folder)
            continue;
        const PrivateFolder scopeFolder = store.Child(scope.name);
        for (const PrivateFolder::Entry& archive : scopeFolder.Entries())
            if (archive.kind == EntryKind::Folder)
                for (const PrivateFolder::Entry& kept : scopeFolder.Child(archive.name).Entries())
                    bytes += kept.kind == EntryKind::File ? kept.size : 0;
    }
    return bytes;
}

std::uint64_t FoldOldestMod(ModLedger& ledger, std::uint64_t keep)
{
    const auto oldest = std::find_if(ledger.mods.begin(), ledger.mods.end(),
                                     [&](const InstalledMod& mod) { return !mod.permanent && mod.id != keep; });
    if (oldest == ledger.mods.end())
        return kFoundLayer;
    // Every mod before it is permanent, folded in already: the found states
    // with this one over them give every archive as the later mods found it.
    for (const ModArchiveFiles& files : oldest->archives)
        if (files.enabled)
            FoldInto(ledger.archives[files.archive], *oldest, files);
    oldest->permanent = true;
    return oldest->id;
}

void FoldModsToCap(const RunState& state, const std::string& scope, std::uint64_t keep) noexcept
{
    if (state.ModsFolder.empty())
        return;
    try {
        const ModStore store(state.ModsFolder, scope);
        while (UndoBytes(state) + KeptBytesOfStore(state.ModsFolder) > state.UndoCap) {
            const ModStore::Hold hold = store.Lock();
            ModLedger ledger = store.Read();
            const std::uint64_t folded = FoldOldestMod(ledger, keep);
            if (folded == kFoundLayer)
                return;
            store.Write(ledger);
            // Its records would give back archives the ledger no longer
            // knows without it.
            const UndoStore undo(state.UndoFolder, state.UndoCap);
            for (const UndoRecordFile& record : undo.RecordsOfGroup(folded))
                undo.Remove(record);
            for (std::uint32_t a = 0; a < ledger.archives.size(); ++a) {
                KeptContents kept = store.KeptFor(ledger.archives[a].path);
                const std::vector<ContentId> needed = NeededContents(ledger, a);
                for (const ContentId& content : kept.All())
                    if (std::find(needed.begin(), needed.end(), content) == needed.end())
                        kept.Drop(content);
            }
        }
    } catch (...) {
        // The store is only tidied: what is over the cap waits for the next install.
    }
}

}  // namespace mw
