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
#include "ops/archive_patcher.h"
#include "ops/messages.h"
#include "ops/operation_runtime.h"
#include "ops/operations.h"
#include "ops/source_files.h"
#include "ops/track_names.h"
#include "ops/mods/mod_cap.h"
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
ModInstall ModInstallOf(const UpdateOptions& options, const std::string& sourceText)
{
    std::string source = sourceText;
    while (source.size() > 1 && source.back() == kNativeSeparator)
        source.pop_back();
    std::string name = options.modName.empty() ? FileNamePart(source) : options.modName;
    // Every install is a group of undo records, and the mod it makes.
    const std::uint64_t group = options.undoGroup != 0 ? options.undoGroup : NewUndoGroup();
    return {group, name.empty() ? source : name, AbsolutePath(sourceText), NanosecondsSince1970(),
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
std::optional<RefusalKind> ArchivePathRefusal(const std::string& archivePath)
{
    if (archivePath.empty())
        return RefusalKind::ChooseWadFile;
    if (LastChars(archivePath, 3) != "wad")
        return RefusalKind::NotAWadFile;
    if (!FileExists(archivePath))
        return RefusalKind::WrongWadPath;
    return std::nullopt;
}

// The archive tests, the archive remembered when they pass.
bool ValidateArchivePath(const RunState& state, Frontend& frontend, const std::string& archivePath)
{
    if (const std::optional<RefusalKind> refusal = ArchivePathRefusal(archivePath)) {
        frontend.ShowRefusal({*refusal});
        return false;
    }
    state.Settings->WriteSetting(kWadNameValue, archivePath);
    return true;
}

// An empty text would list the root of the file system.
bool ValidateSourceText(Frontend& frontend, const std::string& sourceText)
{
    if (sourceText != kSourcePlaceholder && !sourceText.empty())
        return true;
    frontend.ShowRefusal({RefusalKind::ChooseSourceFiles});
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
bool ValidateInstallation(const RunState& state, Frontend& frontend, const UpdateOptions& options)
{
    if (!(options.trackBatch || options.fromPackage) || !InstallationFolder(state).empty())
        return true;
    frontend.ShowRefusal({RefusalKind::NoInstallation});
    return false;
}

// What one update installs into each of its archives.
struct Install {
    std::string sourceText;
    FileList sources;
    std::vector<SourceKey> keys;  // one per source file
    UpdateOptions options;
    ModInstall mod;
};

void PatchArchive(const RunState& state, Frontend& frontend, const std::string& archivePath, const Install& install)
{
    const UpdateOptions& options = install.options;
    // Held from the load until the new archive is in place, so that a second
    // update of it loads this one's result.
    const ArchiveLock lock(archivePath, LockWaitingOf(state, frontend, archivePath));
    WadImage image;
    LoadWad(lock, image);
    const ArchiveRelease archiveRelease(image);
    UndoRecorder undo(state, lock, image, install.mod.id, install.sourceText, !options.preview);
    undo.MadeBy(OriginOf(options));
    ModRecorder mods(options.preview ? std::string() : state.ModsFolder, ModScopeOf(CanonicalArchivePath(archivePath)),
                     lock, image, install.mod);
    const std::map<std::string, std::string> holders =
        options.preview ? ModsHolding(state, archivePath) : std::map<std::string, std::string>();
    ArchivePatcher patcher(image, archivePath);
    const std::string archiveName = FileNamePart(archivePath);
    const std::size_t count = install.sources.size();
    for (std::size_t i = 0; i < count; ++i) {
        StopIfCancelled(frontend);
        const std::string& path = install.sources[i];
        const SourceKey& key = install.keys[i];
        const int match = patcher.FindMatch(key);
        if (match >= 0) {
            patcher.Replace(match, ReadSourceFile(path), path);
            const WadEntry& replaced = image.Entries[static_cast<std::size_t>(match)];
            undo.Replaced(EntryName(replaced));
            mods.Installed(key, match, path);
            const auto holder = holders.find(std::string(EntryName(replaced)));
            frontend.FileDone(Frontend::FileAction::Replace, EntryName(replaced), path,
                              holder == holders.end() ? std::string_view() : holder->second);
        } else {
            const std::string name = AppendedName(archiveName, key);
            patcher.Append(name, ReadSourceFile(path), path);
            undo.Appended(name);
            mods.Installed(key, image.EntryCount - 1, path);
            frontend.FileDone(Frontend::FileAction::Append, name, path, {});
        }

        const int percent = static_cast<int>((i + 1) * 100 / count);
        frontend.ShowProgress({ProgressPhase::Updating, archiveName, percent});
    }
    patcher.Finish();
    if (options.preview)
        return;
    OperationBytes written(frontend, WrittenBytes(image, image.EntryCount));
    CommitHooks hooks(undo, mods, image);
    RebuildWad(lock, image, image.EntryCount, &written, &hooks);
    mods.Keep();
    undo.Keep(KeptBytesOfStore(state.ModsFolder));
    FoldModsToCap(state, ModScopeOf(CanonicalArchivePath(archivePath)), install.mod.id);
}

}  // namespace

bool UpdateWad(const RunState& state, Frontend& frontend, const UpdateRequest& request)
{
    const UpdateOptions& options = request.options;
    double startTime = TimeOfDayNow();
    const std::string sourceText = NativePath(request.sourceText);
    const std::string archiveText = NativePath(request.archiveText);

    if (!ValidateSourceText(frontend, sourceText) || !ValidateInstallation(state, frontend, options))
        return false;
    if (!options.trackBatch && !ValidateArchivePath(state, frontend, archiveText))
        return false;
    if (!ValidateSourceFolder(frontend, sourceText))
        return false;
    std::optional<FileList> sources = ListSources(frontend, sourceText);
    if (!sources)
        return false;
    if (!options.fromPackage)
        state.Settings->WriteSetting(kFileNameValue, sourceText);

    bool completed = false;
    RunRefusable(frontend, [&] {
        // Every source is keyed, and its name checked, before any archive is written.
        Install install{sourceText, std::move(*sources), {}, options, ModInstallOf(options, sourceText)};
        install.keys.reserve(install.sources.size());
        for (const std::string& path : install.sources)
            install.keys.push_back(ClassifySource(path));

        if (options.trackBatch && !options.preview) {
            if (!frontend.ConfirmChanges(TrackBatchQuestion(InstallationFolder(state))))
                return;
            // The time the user took to answer is not the update's.
            startTime = TimeOfDayNow();
        }
        if (!options.trackBatch)
            PatchArchive(state, frontend, archiveText, install);
        for (int k = 0; options.trackBatch && k < kTrackCount; ++k) {
            const std::string folder = InstallationFolder(state);
            if (folder.empty())
                throw UserRefusal(RefusalKind::NoInstallation);
            PatchArchive(state, frontend, folder + kNativeSeparator + TrackNames[k] + ".wad", install);
            frontend.ShowProgress({ProgressPhase::NextArchive});
        }
        ShowElapsed(state, frontend, options.preview ? ProgressPhase::Previewed : ProgressPhase::Updated, startTime);
        completed = true;
    });
    return completed;
}

bool CheckUpdateRequest(const RunState& state, Frontend& frontend, const UpdateRequest& request)
{
    const std::string sourceText = NativePath(request.sourceText);
    const std::string archiveText = NativePath(request.archiveText);
    if (!ValidateSourceText(frontend, sourceText) || !ValidateInstallation(state, frontend, request.options))
        return false;
    if (!request.options.trackBatch) {
        if (const std::optional<RefusalKind> refusal = ArchivePathRefusal(archiveText)) {
            frontend.ShowRefusal({*refusal});
            return false;
        }
    }
    if (!ValidateSourceFolder(frontend, sourceText))
        return false;
    if (const std::optional<Refusal> refusal = SourceFileRefusal(sourceText)) {
        frontend.ShowRefusal(*refusal);
        return false;
    }
    return true;
}

}  // namespace mw
