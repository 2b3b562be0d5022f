// "Update wad" and "Update track wads": an archive loaded whole, patched
// with every source file (replaced or appended) and written back whole.
#include <vector>

#include "core/archive_lock.h"
#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/operation_support.h"
#include "ops/operations.h"
#include "ops/archive_patcher.h"
#include "ops/undo_recorder.h"
#include "ops/update_matching.h"

namespace mw {
namespace {

// How far an update goes: to a rewritten archive, or only through its matching.
enum class UpdateMode { Write, Preview };

// BatchMode lasts for exactly one update, however it ends.
class BatchModeReset {
public:
    explicit BatchModeReset(RunState& state) : state_(state) {}
    ~BatchModeReset() { state_.BatchMode = false; }
    BatchModeReset(const BatchModeReset&) = delete;
    BatchModeReset& operator=(const BatchModeReset&) = delete;

private:
    RunState& state_;
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
bool ValidateInstallation(RunState& state, Frontend& frontend)
{
    if (!(state.BatchMode || state.AutoInstallMode) || !InstallationFolder(state).empty())
        return true;
    frontend.ShowRefusal({RefusalKind::NoInstallation});
    return false;
}

void PatchArchive(RunState& state, Frontend& frontend, const std::string& archivePath,
                  const std::vector<SourceKey>& keys, UpdateMode mode)
{
    // Held from the load until the new archive is in place, so that a second
    // update of it loads this one's result.
    const ArchiveLock lock(archivePath, LockWaitOf(state));
    LoadWad(lock, state.Image);
    const ArchiveRelease archiveRelease(state.Image);
    UndoRecorder undo(state, frontend, lock, mode == UpdateMode::Write);
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
            frontend.FileDone(Frontend::FileAction::Replace, EntryName(replaced), path);
        } else {
            const std::string name = AppendedName(archiveName, key);
            patcher.Append(name, ReadSourceFile(path), path);
            undo.Appended(name);
            frontend.FileDone(Frontend::FileAction::Append, name, path);
        }

        const int percent = static_cast<int>((i + 1) * 100 / count);
        frontend.ShowProgress({ProgressPhase::Updating, archiveName, percent});
    }
    patcher.Finish();
    if (mode == UpdateMode::Preview)
        return;
    OperationBytes written(frontend, WrittenBytes(state.Image, state.Image.EntryCount));
    RebuildWad(lock, state.Image, state.Image.EntryCount, &written, undo.Hook());
    undo.Keep();
}

bool RunUpdate(RunState& state, Frontend& frontend, UpdateMode mode)
{
    const BatchModeReset batchModeReset(state);
    const UndoGroupScope undoGroup(state);
    state.StartTime = TimeOfDayNow();
    const std::string sourceText = frontend.SourceText();
    state.WadPaths[0] = frontend.ArchiveText();

    // An empty text would list the root of the file system.
    if (sourceText == kSourcePlaceholder || sourceText.empty()) {
        frontend.ShowRefusal({RefusalKind::ChooseSourceFiles});
        return false;
    }
    if (!ValidateInstallation(state, frontend))
        return false;
    if (!state.BatchMode && !ValidateArchivePath(state, frontend, state.WadPaths[0]))
        return false;
    if (!ValidateSourceFolder(frontend, sourceText) || !BuildSourceList(state, frontend, sourceText))
        return false;
    if (!state.AutoInstallMode)
        state.Settings->WriteSetting(kFileNameValue, sourceText);

    bool completed = false;
    RunRefusable(frontend, [&] {
        // Every source is keyed, and its name checked, before any archive is written.
        std::vector<SourceKey> keys;
        keys.reserve(state.SourceList.size());
        for (const std::string& path : state.SourceList)
            keys.push_back(ClassifySource(path));

        if (state.BatchMode && mode == UpdateMode::Write &&
            !frontend.ConfirmChanges(TrackBatchQuestion(InstallationFolder(state))))
            return;
        const int archives = state.BatchMode ? kTrackCount : 1;
        for (int k = 0; k < archives; ++k) {
            if (state.BatchMode) {
                const std::string folder = InstallationFolder(state);
                if (folder.empty())
                    throw UserRefusal(RefusalKind::NoInstallation);
                state.WadPaths[k] = folder + kNativeSeparator + TrackNames[k] + ".wad";
            }
            PatchArchive(state, frontend, state.WadPaths[k], keys, mode);
            if (state.BatchMode)
                frontend.ShowProgress({ProgressPhase::NextArchive});
        }
        ShowElapsed(state, frontend, ProgressPhase::Updated);
        completed = true;
    });
    return completed;
}

}  // namespace

bool UpdateWad(RunState& state, Frontend& frontend)
{
    return RunUpdate(state, frontend, UpdateMode::Write);
}

bool UpdateTrackWads(RunState& state, Frontend& frontend)
{
    state.BatchMode = true;
    return RunUpdate(state, frontend, UpdateMode::Write);
}

bool PreviewUpdateWad(RunState& state, Frontend& frontend)
{
    return RunUpdate(state, frontend, UpdateMode::Preview);
}

bool PreviewUpdateTrackWads(RunState& state, Frontend& frontend)
{
    state.BatchMode = true;
    return RunUpdate(state, frontend, UpdateMode::Preview);
}

}  // namespace mw
