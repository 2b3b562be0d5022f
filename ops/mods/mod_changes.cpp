#include "ops/mods/mod_changes.h"

#include <algorithm>
#include <memory>
#include <set>

#include "core/archive_lock.h"
#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/file_stamp.h"
#include "core/path_helpers.h"
#include "ops/archive_edits.h"
#include "ops/operation_runtime.h"
#include "ops/mods/mod_cap.h"
#include "ops/mods/mod_store.h"

namespace mw {
namespace {

// The ledger as it is once the archive at index has the mods' new state.
ModLedger WithArchiveFlipped(ModLedger ledger, const std::vector<std::uint64_t>& mods, std::uint32_t archive,
                             bool enabled)
{
    for (const std::uint64_t id : mods)
        for (ModArchiveFiles& files : ledger.ModById(id)->archives)
            if (files.archive == archive)
                files.enabled = enabled;
    return ledger;
}

// The mods the request names; nothing after a refusal.
std::optional<std::vector<std::uint64_t>> ModsNamed(Frontend& frontend, const ModLedger& ledger,
                                                    const ModChangeRequest& request)
{
    std::vector<std::uint64_t> ids;
    for (const std::string& name : request.names) {
        const InstalledMod* mod = ledger.ModByName(name);
        if (mod == nullptr) {
            frontend.ShowRefusal({RefusalKind::NoSuchMod, name});
            return std::nullopt;
        }
        if (mod->permanent) {
            frontend.ShowRefusal({RefusalKind::PermanentMod, name});
            return std::nullopt;
        }
        if (std::find(ids.begin(), ids.end(), mod->id) == ids.end())
            ids.push_back(mod->id);
    }
    return ids;
}

// The archives whose state the change flips, by index, in path order (the
// order their locks are taken in).
std::vector<std::uint32_t> ArchivesToWrite(const ModLedger& ledger, const std::vector<std::uint64_t>& mods,
                                           bool enabled)
{
    std::set<std::uint32_t> archives;
    for (const std::uint64_t id : mods)
        for (const ModArchiveFiles& files : ledger.ModById(id)->archives)
            if (files.enabled != enabled)
                archives.insert(files.archive);
    std::vector<std::uint32_t> ordered(archives.begin(), archives.end());
    std::sort(ordered.begin(), ordered.end(), [&](std::uint32_t a, std::uint32_t b) {
        return ledger.archives[a].path < ledger.archives[b].path;
    });
    return ordered;
}

// Prepares the ledger that holds once the archive is in place.
class PendingLedger final : public BeforeCommit {
public:
    PendingLedger(const ModStore& store, ModLedger& ledger, std::uint32_t archive)
        : store_(store), ledger_(ledger), archive_(archive)
    {
    }
    ~PendingLedger()
    {
        if (prepared_ && !committed_)
            store_.Abandon();
    }
    void Complete(File& written) override
    {
        LedgerArchive& archive = ledger_.archives[archive_];
        archive.written = StampOf(written);
        archive.fingerprint = WrittenFingerprint(written);
        store_.Prepare(ledger_, archive.path, archive.written);
        prepared_ = true;
    }
    // Nothing here fails: the archive is in place, and the pending ledger
    // left by a failure is taken by the next reader.
    void Committed() noexcept
    {
        committed_ = true;
        try {
            store_.Commit(ledger_);
        } catch (...) {
        }
    }

private:
    const ModStore& store_;
    ModLedger& ledger_;
    std::uint32_t archive_;
    bool prepared_ = false;
    bool committed_ = false;
};

// Drops the kept contents that the ledger no longer needs for the archive,
// and those the archive holds again.
void TidyKept(KeptContents kept, const ModLedger& ledger, std::uint32_t archive,
              const std::vector<ContentId>& heldAgain)
{
    const std::vector<ContentId> needed = NeededContents(ledger, archive);
    for (const ContentId& content : kept.All()) {
        const bool isNeeded = std::find(needed.begin(), needed.end(), content) != needed.end();
        const bool held = std::find(heldAgain.begin(), heldAgain.end(), content) != heldAgain.end();
        if (!isNeeded || held)
            kept.Drop(content);
    }
}

struct ArchivePlan {
    std::uint32_t archive = 0;
    std::unique_ptr<ArchiveLock> lock;
    WadImage live;
    LayerRewrite rewrite;
};

std::vector<std::string> PathsOf(const ModLedger& ledger, const std::vector<std::uint32_t>& archives)
{
    std::vector<std::string> paths;
    for (const std::uint32_t a : archives)
        paths.push_back(ledger.archives[a].path);
    return paths;
}

// One archive written with the mods' new state, the ledger with it.
void WriteArchive(Frontend& frontend, const ModStore& store, ModLedger& ledger, const std::vector<std::uint64_t>& mods,
                  bool enabled, ArchivePlan& plan)
{
    const std::string path = ledger.archives[plan.archive].path;
    KeptContents kept = store.KeptFor(path);
    for (const auto& [content, entry] : plan.rewrite.toKeep)
        kept.Keep(content, *plan.lock->archive(), plan.live.Entries[entry].Offset);
    ModLedger after = WithArchiveFlipped(ledger, mods, plan.archive, enabled);
    {
        PendingLedger pending(store, after, plan.archive);
        WadImage& image = plan.rewrite.image;
        if (plan.rewrite.laidOut) {
            frontend.ShowProgress({ProgressPhase::Writing, FileNamePart(path)});
            OperationBytes written(frontend, WrittenBytes(image, image.EntryCount));
            RebuildWad(*plan.lock, image, image.EntryCount, &written, &pending);
        } else {
            WriteEditedArchive(frontend, *plan.lock, image, &pending);
        }
        pending.Committed();
    }
    ledger = std::move(after);
    plan.live.Payloads.clear();
    plan.rewrite.image.Payloads.clear();
    plan.lock.reset();
    TidyKept(std::move(kept), ledger, plan.archive, plan.rewrite.fromKept);
}

// Removed mods are forgotten once no archive holds them, with the bytes
// kept for them alone.
void ForgetMods(const ModStore& store, ModLedger& ledger, const std::vector<std::uint64_t>& mods)
{
    const ModLedger before = ledger;
    for (const std::uint64_t id : mods)
        ledger.Forget(id);
    store.Write(ledger);
    for (const LedgerArchive& archive : before.archives) {
        if (const auto index = ledger.ArchiveIndex(archive.path))
            TidyKept(store.KeptFor(archive.path), ledger, *index, {});
        else
            store.KeptFor(archive.path).DropAll();
    }
}

}  // namespace

bool ChangeMods(const RunState& state, Frontend& frontend, const ModChangeRequest& request,
                std::vector<ArchiveChanges>* changes)
{
    const double startTime = TimeOfDayNow();
    const ModStore store(state.ModsFolder, request.scope);
    const bool enabled = request.action == ModAction::Enable;

    // The archives' locks come before the ledger's: the ledger is read to
    // learn which archives to lock, then again once they are locked, and
    // the locking starts over when another change came in between.
    std::vector<std::string> paths;
    {
        const ModStore::Hold hold = store.Lock();
        const ModLedger ledger = store.Read();
        const auto mods = ModsNamed(frontend, ledger, request);
        if (!mods)
            return false;
        paths = PathsOf(ledger, ArchivesToWrite(ledger, *mods, enabled));
    }
    ModLedger ledger;
    std::vector<std::uint64_t> mods;
    std::vector<ArchivePlan> plans;
    std::optional<ModStore::Hold> hold;
    for (;;) {
        plans.clear();
        for (const std::string& path : paths)
            plans.push_back({0, std::make_unique<ArchiveLock>(path, LockWaitingOf(state, frontend, path)), {}, {}});
        hold.emplace(store.Lock());
        ledger = store.Read();
        const auto named = ModsNamed(frontend, ledger, request);
        if (!named)
            return false;
        mods = *named;
        const std::vector<std::uint32_t> archives = ArchivesToWrite(ledger, mods, enabled);
        if (PathsOf(ledger, archives) == paths) {
            for (std::size_t i = 0; i < archives.size(); ++i)
                plans[i].archive = archives[i];
            break;
        }
        paths = PathsOf(ledger, archives);
        hold.reset();
    }

    std::vector<std::string> changedOutside;
    for (ArchivePlan& plan : plans) {
        LoadWad(*plan.lock, plan.live);
        LiveArchive live(plan.live, plan.lock->archive());
        const ModLedger after = WithArchiveFlipped(ledger, mods, plan.archive, enabled);
        const std::string& path = ledger.archives[plan.archive].path;
        plan.rewrite = PlanLayerRewrite(ledger, after, plan.archive, live, store.KeptFor(path), request.force);
        if (!plan.rewrite.changedOutside.empty()) {
            std::string named = FileNamePart(path) + " (";
            for (std::size_t i = 0; i < plan.rewrite.changedOutside.size(); ++i)
                named += (i == 0 ? "" : ", ") + plan.rewrite.changedOutside[i];
            changedOutside.push_back(named + ")");
        }
        if (changes)
            changes->push_back({path, plan.rewrite.changes});
    }
    if (!changedOutside.empty() && !request.force) {
        std::string subject;
        for (const std::string& archive : changedOutside)
            subject += (subject.empty() ? "" : "; ") + archive;
        frontend.ShowRefusal({RefusalKind::ChangedOutside, subject});
        return false;
    }
    if (request.dryRun)
        return true;

    bool completed = false;
    RunRefusable(frontend, [&] {
        for (ArchivePlan& plan : plans) {
            StopIfCancelled(frontend);
            WriteArchive(frontend, store, ledger, mods, enabled, plan);
        }
        if (request.action == ModAction::Remove)
            ForgetMods(store, ledger, mods);
        hold.reset();
        FoldModsToCap(state, request.scope, 0);
        ShowElapsed(state, frontend, ProgressPhase::ModsChanged, startTime);
        completed = true;
    });
    return completed;
}

}  // namespace mw
