// "Update wad" and "Update track wads": an archive loaded whole, patched
// with every source file (replaced or appended) and written back whole.
#include <map>
#include <vector>

#include "core/archive_lock.h"
#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/path_text.h"
#include "core/wad.h"
#include "ops/operation_support.h"
#include "ops/operations.h"
#include "ops/archive_patcher.h"
#include "ops/mods/mod_listing.h"
#include "ops/mods/mod_recorder.h"
#include "ops/mods/mod_scope.h"
#include "ops/undo_recorder.h"
#include "ops/update_matching.h"

namespace mw {
namespace {

UndoOrigin OriginOf(const UpdateOptions& options)
{
    if (options.trackBatch)
        return UndoOrigin::TrackBatch;
    return options.fromPackage ? UndoOrigin::AutoInstall : UndoOrigin::Update;
}

ModOrigin ModOriginOf(const UpdateOptions& options)
{
    if (options.trackBatch)
        return ModOrigin::TrackBatch;
    return options.fromPackage ? ModOrigin::Package : ModOrigin::Update;
}

// The mod an install makes: named as asked, else after its source folder
// (or file).
ModInstall ModInstallOf(const RunState& state, const UpdateOptions& options, const std::string& sourceText)
{
    std::string source = sourceText;
    while (source.size() > 1 && source.back() == kNativeSeparator)
        source.pop_back();
    std::string name = options.modName.empty() ? FileNamePart(source) : options.modName;
    return {state.UndoGroup, name.empty() ? source : name, AbsolutePath(sourceText), NanosecondsSince1970(),
            ModOriginOf(options)};
}

// For a dry run: the installed mod whose bytes each entry holds.
std::map<std::string, std::string> ModsHolding(const RunState& state, const std::string& archivePath)
{
    if (state.ModsFolder.empty())
        return {};
    const std::string archive = CanonicalArchivePath(archivePath);
    const ModStore store(state.ModsFolder, ModScopeOf(archive));
    const ModStore::Hold hold = store.Lock();
    return ModsHoldingEntries(store.Read(), archive);
}

// The undo record and the mods ledger both hear of the new archive before
// it takes the old one's place.
class CommitHooks final : public BeforeCommit {
public:
    CommitHooks(UndoRecorder& undo, ModRecorder& mods, const WadImage& image)
        : undo_(undo), mods_(mods), image_(image)
    {
    }
    void Complete(File& written) override
    {
        if (BeforeCommit* undo = undo_.Hook())
            undo->Complete(written);
        mods_.Complete(written, image_);
    }

private:
    UndoRecorder& undo_;
    ModRecorder& mods_;
    const WadImage& image_;
};

// The archive tests that a single update makes and a batch skips.
bool ValidateArchivePath(RunState& state, Frontend& frontend, const std::string& archivePath)
{
    RefusalKind refusal{};
    if (archivePath.empty())
        refusal = RefusalKind::ChooseWadFile;
    else if (LastChars(archivePath, 3) != "wad")
        refusal = RefusalKind::NotAWadFile;
    else if (!FileExists(archivePath))
        refusal = RefusalKind::WrongWadPath;
    else {
        state.Settings->WriteSetting(kWadNameValue, archivePath);
        return true;
    }
    frontend.ShowRefusal({refusal});
    return false;
}

// A source text the rules take as a folder must name one: listing a folder
// that is not there would patch nothing and still report success.
bool ValidateSourceFolder(Frontend& frontend, const std::string& sourceText)
{
    if (!IsSourceFolder(sourceText) || FolderExists(sourceText))
        return true;
    frontend.ShowRefusal({RefusalKind::NoSourceFolder, sourceText});
    return false;
}

// The track batch and the auto-install mode patch archives inside the
// installation: without one they would patch files at the file-system root.
bool ValidateInstallation(RunState& state, Frontend& frontend, const UpdateOptions& options)
{
    if (!(options.trackBatch || options.fromPackage) || !InstallationFolder(state).empty())
        return true;
    frontend.ShowRefusal({RefusalKind::NoInstallation});
    return false;
}

void PatchArchive(RunState& state, Frontend& frontend, const std::string& archivePath,
                  const std::vector<SourceKey>& keys, const UpdateOptions& options, const ModInstall& install)
{
    // Held from the load until the new archive is in place, so that a second
    // update of it loads this one's result.
    const ArchiveLock lock(archivePath, LockWaitingOf(state, frontend, archivePath));
    LoadWad(lock, state.Image);
    const ArchiveRelease archiveRelease(state.Image);
    UndoRecorder undo(state, frontend, lock, !options.preview);
    undo.MadeBy(OriginOf(options));
    ModRecorder mods(options.preview ? std::string() : state.ModsFolder,
                     ModScopeOf(CanonicalArchivePath(archivePath)),
                     lock, state.Image, install);
    const std::map<std::string, std::string> holders =
        options.preview ? ModsHolding(state, archivePath) : std::map<std::string, std::string>();
    ArchivePatcher patcher(state.Image, archivePath);
    const std::string archiveName = FileNamePart(archivePath);
    const std::size_t count = state.SourceList.size();
    for (std::size_t i = 0; i < count; ++i) {
        StopIfCancelled(frontend);
        const std::string& path = state.SourceList[i];
        const SourceKey& key = keys[i];
        const int match = patcher.FindMatch(key);
        if (match >= 0) {
            patcher.Replace(match, ReadSourceFile(path), path);
            const WadEntry& replaced = state.Image.Entries[static_cast<std::size_t>(match)];
            undo.Replaced(EntryName(replaced));
            mods.Installed(key, match, path);
            const auto holder = holders.find(std::string(EntryName(replaced)));
            frontend.FileDone(Frontend::FileAction::Replace, EntryName(replaced), path,
                              holder == holders.end() ? std::string_view() : holder->second);
        } else {
            const std::string name = AppendedName(archiveName, key);
            patcher.Append(name, ReadSourceFile(path), path);
            undo.Appended(name);
            mods.Installed(key, state.Image.EntryCount - 1, path);
            frontend.FileDone(Frontend::FileAction::Append, name, path, {});
        }

        const int percent = static_cast<int>((i + 1) * 100 / count);
        frontend.ShowProgress({ProgressPhase::Updating, archiveName, percent});
    }
    patcher.Finish();
    if (options.preview)
        return;
    OperationBytes written(frontend, WrittenBytes(state.Image, state.Image.EntryCount));
    CommitHooks hooks(undo, mods, state.Image);
    RebuildWad(lock, state.Image, state.Image.EntryCount, &written, &hooks);
    undo.Keep();
    mods.Keep();
}

}  // namespace

bool UpdateWad(RunState& state, Frontend& frontend, const UpdateOptions& options)
{
    // Every install is a group of undo records, and the mod it makes.
    const UndoGroupScope undoGroup(state, true);
    state.StartTime = TimeOfDayNow();
    const std::string sourceText = SourceFieldPath(frontend);
    state.WadPaths[0] = ArchiveFieldPath(frontend);

    // An empty text would list the root of the file system.
    if (sourceText == kSourcePlaceholder || sourceText.empty()) {
        frontend.ShowRefusal({RefusalKind::ChooseSourceFiles});
        return false;
    }
    if (!ValidateInstallation(state, frontend, options))
        return false;
    if (!options.trackBatch && !ValidateArchivePath(state, frontend, state.WadPaths[0]))
        return false;
    if (!ValidateSourceFolder(frontend, sourceText) || !BuildSourceList(state, frontend, sourceText))
        return false;
    if (!options.fromPackage)
        state.Settings->WriteSetting(kFileNameValue, sourceText);

    bool completed = false;
    RunRefusable(frontend, [&] {
        // Every source is keyed, and its name checked, before any archive is written.
        std::vector<SourceKey> keys;
        keys.reserve(state.SourceList.size());
        for (const std::string& path : state.SourceList)
            keys.push_back(ClassifySource(path));

        if (options.trackBatch && !options.preview &&
            !frontend.ConfirmChanges(TrackBatchQuestion(InstallationFolder(state))))
            return;
        const ModInstall install = ModInstallOf(state, options, sourceText);
        const int archives = options.trackBatch ? kTrackCount : 1;
        for (int k = 0; k < archives; ++k) {
            if (options.trackBatch) {
                const std::string folder = InstallationFolder(state);
                if (folder.empty())
                    throw UserRefusal(RefusalKind::NoInstallation);
                state.WadPaths[k] = folder + kNativeSeparator + TrackNames[k] + ".wad";
            }
            PatchArchive(state, frontend, state.WadPaths[k], keys, options, install);
            if (options.trackBatch)
                frontend.ShowProgress({ProgressPhase::NextArchive});
        }
        ShowElapsed(state, frontend, ProgressPhase::Updated);
        completed = true;
    });
    return completed;
}

bool UpdateTrackWads(RunState& state, Frontend& frontend)
{
    return UpdateWad(state, frontend, {.trackBatch = true});
}

}  // namespace mw
