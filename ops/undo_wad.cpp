#include "ops/undo_wad.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "core/archive_lock.h"
#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "core/path_helpers.h"
#include "core/temporary_archive.h"
#include "core/wad.h"
#include "ops/messages.h"
#include "ops/mods/mod_undo.h"
#include "ops/operation_runtime.h"
#include "ops/undo_checksum.h"
#include "ops/undo_store.h"
#include "ops/undo_text.h"

namespace mw {
namespace {

FileStamp StampOfPath(const std::string& path)
{
    File file(path, OpenMode::ReadOnly);
    const FileStamp stamp = StampOf(file);
    file.Close();
    return stamp;
}

// An update whose process ended after its record was written and before
// the new archive took the old one's place: the archive is still as the
// record says it was before.
bool NeverTookPlace(const UndoPlan& plan, const FileStamp& now)
{
    return now == plan.before && now != plan.after;
}

// An archive's records newest first, without those of updates that never
// took place in front; those are removed when the caller holds the lock.
std::vector<UndoRecordFile> LiveRecords(const UndoStore& store, const std::string& canonical,
                                        const FileStamp& now, bool removeDead)
{
    std::vector<UndoRecordFile> records = store.RecordsOf(canonical);
    std::size_t dead = 0;
    while (dead < records.size() && NeverTookPlace(store.Read(records[dead], UndoRecordCheck::Head).plan, now)) {
        if (removeDead)
            store.Remove(records[dead]);
        ++dead;
    }
    records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(dead));
    return records;
}

// The archives a group gives back, by canonical path: those that hold a
// record of the group whose update took place.
std::vector<std::string> GroupArchives(const UndoStore& store, std::uint64_t group)
{
    std::vector<std::string> archives;
    for (const UndoRecordFile& file : store.RecordsOfGroup(group)) {
        const OpenedUndoRecord record = store.Read(file, UndoRecordCheck::Head);
        const std::string& archive = record.summary.archive;
        // A member that is gone stays in, for the undo to name it.
        if (!FileExists(archive) || !NeverTookPlace(record.plan, StampOfPath(archive)))
            archives.push_back(archive);
    }
    std::sort(archives.begin(), archives.end());
    archives.erase(std::unique(archives.begin(), archives.end()), archives.end());
    return archives;
}

// The records undo can step back through, newest first; none is refused.
std::vector<UndoRecordFile> RecordsToUndo(const UndoStore& store, const std::string& canonical,
                                          const std::string& shown)
{
    std::vector<UndoRecordFile> records = LiveRecords(store, canonical, StampOfPath(canonical), false);
    if (records.empty())
        throw UserRefusal(RefusalKind::NothingToUndo, shown);
    return records;
}

// As many steps as asked must be there (the records of one group make one
// step), each record taking up where the one before it left the archive;
// found before the first step is written.
void CheckSteps(const UndoStore& store, const std::string& canonical, const std::string& shown, int steps)
{
    const std::vector<UndoRecordFile> records = RecordsToUndo(store, canonical, shown);
    int reachable = 0;
    std::optional<FileStamp> leftAt;  // the archive as the newer record found it
    std::uint64_t group = 0;
    for (const UndoRecordFile& record : records) {
        const bool sameStep = group != 0 && record.group == group;
        if (!sameStep && reachable == steps)
            break;
        const UndoPlan plan = store.Read(record, UndoRecordCheck::Head).plan;
        if (leftAt && plan.after != *leftAt)
            break;
        leftAt = plan.before;
        reachable += sameStep ? 0 : 1;
        group = record.group;
    }
    if (reachable < steps)
        throw UserRefusal(RefusalKind::TooFewUpdates, shown, reachable);
}

// Whether the archive is still as the record's update wrote it.
bool FitsRecord(File& archive, const UndoPlan& plan)
{
    return StampOf(archive) == plan.after && UndoChecksum(archive, plan.afterCount, plan.pieces) == plan.afterChecksum;
}

// A step the ledger refused, having shown why: the undo ends there.
struct UndoStopped {};

// How many records of the install the archive still has.
std::size_t GroupRecordsOf(const UndoStore& store, const std::string& archive, std::uint64_t install)
{
    const std::vector<UndoRecordFile> records = store.RecordsOf(archive);
    return static_cast<std::size_t>(std::count_if(records.begin(), records.end(), [&](const UndoRecordFile& record) {
        return record.group == install;
    }));
}

// One archive of a step: locked, its record open and checked.
struct Restore {
    std::string archive;
    std::unique_ptr<ArchiveLock> lock;
    UndoRecordFile recordFile;
    OpenedUndoRecord record;
    std::unique_ptr<TemporaryArchive> written;
};

// The directory the undo writes must fit the file it writes, every entry
// inside it, as the archive the update loaded did: this catches a damaged
// record that kept no checksum (one written before records kept them).
void CheckRebuiltDirectory(const UndoPlan& plan, const std::string& record)
{
    for (std::size_t i = 0; i < plan.directory.size(); ++i)
        if (PayloadFault(plan.directory[i], static_cast<std::int32_t>(i), plan.before.size))
            ThrowDamagedRecord(record);
}

// Checks one locked archive against the record the step undoes (its
// newest; for a group, the group's), and takes the names the record left
// out from the archive's directory.
void Check(Restore& restore, const UndoStore& store, const UndoRecordFile& top, const std::string& shown)
{
    File& archive = *restore.lock->archive();
    const FileStamp now = StampOf(archive);
    const std::vector<UndoRecordFile> records = LiveRecords(store, restore.archive, now, true);
    if (records.empty())
        throw UserRefusal(RefusalKind::NothingToUndo, shown);
    const UndoRecordFile& newest = records.front();
    if (top.group != 0 ? newest.group != top.group : newest.path != top.path)
        throw UserRefusal(RefusalKind::UpdatedAgain, shown);
    restore.recordFile = newest;
    restore.record = store.Read(newest, UndoRecordCheck::Whole);
    const UndoPlan& plan = restore.record.plan;
    if (restore.record.summary.archive != restore.archive)
        throw UserRefusal(RefusalKind::NothingToUndo, shown);
    if (!FitsRecord(archive, plan))
        throw UserRefusal(RefusalKind::ChangedSince, shown);
    std::vector<WadEntry> after;
    archive.Seek(0);
    ReadWadDirectory(archive, after);
    restore.record.TakeNames(after);
    CheckRebuiltDirectory(plan, newest.path);
}

// The old archive, complete beside the archive's place with its old
// modification time, not yet in place.
void WriteOld(Restore& restore, ByteProgress& progress)
{
    const UndoPlan& plan = restore.record.plan;
    restore.written = std::make_unique<TemporaryArchive>(restore.lock->fileName(), restore.lock.get());
    File& out = restore.written->file();
    const auto count = static_cast<std::int32_t>(plan.directory.size());
    // An archive kept whole brings its own directory.
    std::int64_t at = 0;
    if (!plan.KeepsWhole()) {
        WriteDirectory(out, plan.directory, count);
        progress.Moved(DirectoryEnd(count));
        at = DirectoryEnd(count);
    }
    for (const UndoPiece& piece : plan.pieces) {
        if (piece.kind == UndoPiece::Kind::InArchive)
            out.CopyFrom(*restore.lock->archive(), piece.from, at, piece.length, &progress);
        else if (piece.kind == UndoPiece::Kind::Kept)
            out.CopyFrom(restore.record.kept, piece.from, at, piece.length, &progress);
        else
            out.CopyFrom(restore.record.file, restore.record.storedAt + piece.from, at, piece.length, &progress);
        at += piece.length;
    }
    SetModifiedTime(out, plan.before);
}

// Gives archives back from their newest records: top's, or for a group
// each archive's newest record of the group.
void UndoOnce(const RunState& state, Frontend& frontend, const UndoStore& store, const UndoRecordFile& top,
              const std::vector<std::string>& archives, const std::string& canonical, const std::string& shown)
{
    // Every lock, in one order for every undo, before any check; every
    // check before any write; every write before any rename.
    std::vector<Restore> restores(archives.size());
    for (std::size_t i = 0; i < archives.size(); ++i) {
        restores[i].archive = archives[i];
        restores[i].lock = std::make_unique<ArchiveLock>(archives[i], LockWaitingOf(state, frontend, archives[i]));
    }
    std::int64_t total = 0;
    for (Restore& restore : restores) {
        Check(restore, store, top, restore.archive == canonical ? shown : restore.archive);
        total += restore.record.plan.before.size;
    }
    OperationBytes progress(frontend, total);
    for (Restore& restore : restores) {
        frontend.ShowProgress({ProgressPhase::Undoing, FileNamePart(restore.archive)});
        WriteOld(restore, progress);
    }
    for (Restore& restore : restores) {
        // The mods ledger forgets an install with the archive, once the
        // archive is back to where the install began.
        const std::uint64_t install = restore.recordFile.group;
        const bool began = install == 0 || GroupRecordsOf(store, restore.archive, install) == 1;
        ForgottenInstall forgotten(state, restore.archive, began ? install : 0);
        forgotten.Prepare(restore.written->file(), restore.record.plan.before);
        restore.written->Commit();
        forgotten.Commit();
        store.Remove(restore.recordFile);
    }
}

// The records of one step given back. The archives given back are added
// to givenBack.
void UndoRecords(const RunState& state, Frontend& frontend, const UndoStore& store, const UndoRecordFile& top,
                 const std::string& canonical, const std::string& shown, std::set<std::string>& givenBack)
{
    if (top.group == 0) {
        UndoOnce(state, frontend, store, top, {canonical}, canonical, shown);
        givenBack.insert(canonical);
        return;
    }
    // A group that changed an archive more than once is undone back to
    // where it began: each round removes a record of every archive left.
    for (auto archives = GroupArchives(store, top.group); !archives.empty(); archives = GroupArchives(store, top.group)) {
        UndoOnce(state, frontend, store, top, archives, canonical, shown);
        givenBack.insert(archives.begin(), archives.end());
    }
}

// One step back: the archive's newest update, or every update of its group.
// When the archive no longer fits the record because mods were changed
// since, and the record's install is the archive's newest mod, the mod is
// taken out through the ledger instead, and the group's records go.
void UndoStep(const RunState& state, Frontend& frontend, const UndoStore& store, const std::string& canonical,
              const std::string& shown, std::set<std::string>& givenBack)
{
    const UndoRecordFile top = RecordsToUndo(store, canonical, shown).front();
    try {
        UndoRecords(state, frontend, store, top, canonical, shown, givenBack);
    } catch (const UserRefusal& refusal) {
        if (refusal.refusal().kind != RefusalKind::ChangedSince)
            throw;
        switch (RemoveNewestMod(state, frontend, canonical, top.group)) {
        case NewestModRemoval::NotTheNewest: throw;
        case NewestModRemoval::Refused: throw UndoStopped();
        case NewestModRemoval::Removed: break;
        }
        const std::vector<std::string> archives = GroupArchives(store, top.group);
        givenBack.insert(archives.begin(), archives.end());
        for (const UndoRecordFile& record : store.RecordsOfGroup(top.group))
            store.Remove(record);
    }
}

}  // namespace

std::vector<UndoHistoryItem> UndoHistory(const RunState& state, const std::string& archive)
{
    const UndoStore store(state.UndoFolder, state.UndoCap);
    const std::string canonical = CanonicalArchivePath(archive);
    const FileStamp now = StampOfPath(archive);
    std::vector<UndoHistoryItem> items;
    bool newest = true;  // updates that never took place are only ever the newest
    for (const UndoRecordFile& record : store.RecordsOf(canonical)) {
        UndoHistoryItem item;
        try {
            const OpenedUndoRecord opened = store.Read(record, UndoRecordCheck::Head);
            if (newest && NeverTookPlace(opened.plan, now))
                continue;
            newest = false;
            if (opened.summary.archive != canonical)
                continue;
            item.summary = opened.summary;
            item.archives = record.group != 0 ? GroupArchives(store, record.group) : std::vector{canonical};
        } catch (const AppError& error) {
            item = UndoHistoryItem{};
            item.damage = error;
            newest = false;
        }
        items.push_back(std::move(item));
    }
    return items;
}

bool UndoWad(const RunState& state, Frontend& frontend, const UndoRequest& request)
{
    const double startTime = TimeOfDayNow();
    const std::string archive = NativePath(request.archiveText);
    const int steps = request.steps;
    if (archive.empty() || !FileExists(archive)) {
        frontend.ShowRefusal({archive.empty() ? RefusalKind::ChooseWadFile : RefusalKind::WrongWadPath});
        return false;
    }
    bool done = false;
    RunRefusable(frontend, [&] {
        const UndoStore store(state.UndoFolder, state.UndoCap);
        const std::string canonical = CanonicalArchivePath(archive);
        CheckSteps(store, canonical, archive, steps);
        std::set<std::string> givenBack;
        try {
            for (int step = 0; step < steps; ++step)
                UndoStep(state, frontend, store, canonical, archive, givenBack);
        } catch (const UndoStopped&) {
            return;
        }
        ShowElapsed(state, frontend, ProgressPhase::Undone, startTime, givenBack.size());
        done = true;
    });
    return done;
}

bool HasUndoableUpdate(const RunState& state, const std::string& archive)
{
    if (archive.empty() || !FileExists(archive))
        return false;
    try {
        return !UndoHistory(state, archive).empty();
    } catch (const std::exception&) {
        return false;  // an unreadable archive or record: the undo itself says why
    }
}

UndoOffer OfferedUndo(const RunState& state, const std::string& archive)
{
    if (archive.empty() || !RegularFileExists(archive))
        return {false, kNoUpdateToUndoTip};
    try {
        const UndoStore store(state.UndoFolder, state.UndoCap);
        const std::string canonical = CanonicalArchivePath(archive);
        File file(canonical, OpenMode::ReadOnly);
        const std::vector<UndoRecordFile> records = LiveRecords(store, canonical, StampOf(file), false);
        if (records.empty())
            return {false, kNoUpdateToUndoTip};
        const OpenedUndoRecord newest = store.Read(records.front(), UndoRecordCheck::Head);
        if (FitsRecord(file, newest.plan) || NewestModOfInstall(state, canonical, records.front().group))
            return {true, {}};
        return {false, kChangedSinceTip};
    } catch (const std::exception&) {
        // An unreadable archive or record: the undo itself says why.
        return {true, {}};
    }
}

bool UndoLastUpdate(const RunState& state, Frontend& frontend, const std::string& archiveText)
{
    const std::string archive = NativePath(archiveText);
    if (HasUndoableUpdate(state, archive)) {
        // A step that cannot be read is not asked about: the undo names its record.
        const UndoHistoryItem last = UndoHistory(state, archive).front();
        if (!last.damage && !frontend.ConfirmChanges(UndoQuestion(last, archive)))
            return false;
    }
    return UndoWad(state, frontend, {archiveText});
}

}  // namespace mw
