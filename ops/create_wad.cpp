// "Create wad": every file below the source folder packed into a new archive
// whose payloads follow the directory back to back, in the lister's order.
#include <limits>
#include <memory>

#include "core/elapsed_time.h"
#include "core/file.h"
#include "core/path_helpers.h"
#include "core/wad.h"
#include "core/wad_packer.h"
#include "ops/entry_name_check.h"
#include "ops/archive_limits.h"
#include "ops/messages.h"
#include "ops/operation_runtime.h"
#include "ops/source_files.h"
#include "ops/operations.h"
#include "ops/undo_recorder.h"

namespace mw {
namespace {

// The entries' names, all checked before anything is read: a name the
// archive cannot hold refuses the whole folder.
std::vector<WadEntry> NamedEntries(const FileList& sources, const std::string& sourceText)
{
    std::vector<WadEntry> entries(sources.size(), WadEntry{});
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string name = SourceEntryName(sources[i], RelativeToSource(sources[i], sourceText));
        CheckEntryNameFits(name);
        SetEntryName(entries[i], name);
    }
    return entries;
}

// All that the archive will take, for a frontend that shows a total.
std::int64_t PackedBytes(const FileList& sources)
{
    std::int64_t bytes = DirectoryEnd(static_cast<std::int64_t>(sources.size()));
    for (const std::string& path : sources)
        bytes += FileSize(path);
    return bytes;
}

// Each file copied in the lister's order, its size what the copy read. An
// archive that the new one replaces is locked meanwhile and kept whole as
// an undo record, so that undo gives it back.
void PackSources(const RunState& state, Frontend& frontend, const FileList& sources, const std::string& sourceText,
                 const std::string& archivePath)
{
    const auto count = static_cast<std::int32_t>(sources.size());
    std::vector<WadEntry> entries = NamedEntries(sources, sourceText);
    std::int64_t offset = DirectoryEnd(count);
    CheckArchiveEnd(offset, sources.front());

    std::unique_ptr<ArchiveLock> replaced;
    std::unique_ptr<UndoRecorder> undo;
    if (!state.UndoFolder.empty() && RegularFileExists(archivePath)) {
        replaced = std::make_unique<ArchiveLock>(archivePath, LockWaitingOf(state, frontend, archivePath));
        undo = std::make_unique<UndoRecorder>(state, *replaced, count, sourceText);
    }
    OperationBytes written(frontend, frontend.ShowsByteTotal() ? PackedBytes(sources) : -1);
    WadPacker packer(archivePath, count, &written, replaced.get());
    int shownPercent = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        StopIfCancelled(frontend);
        const std::string& path = sources[static_cast<std::size_t>(i)];
        // Shown as the percentage moves: the same text again changes nothing.
        const int percent = static_cast<int>((static_cast<std::int64_t>(i) + 1) * 100 / count);
        if (percent != shownPercent)
            frontend.ShowProgress({ProgressPhase::Creating, {}, percent});
        shownPercent = percent;

        const std::int64_t size = packer.Append(path, std::numeric_limits<std::int32_t>::max() - offset);
        CheckArchiveEnd(offset + size, path);
        WadEntry& entry = entries[static_cast<std::size_t>(i)];
        entry.Offset = static_cast<std::int32_t>(offset);
        entry.Size = static_cast<std::int32_t>(size);
        offset += size;
        frontend.FileDone(Frontend::FileAction::Store, EntryName(entry), path, {});
    }
    packer.Finish(entries, undo ? undo->Hook() : nullptr);
    if (undo)
        undo->Keep();
}

}  // namespace

void CreateWad(const RunState& state, Frontend& frontend, const CreateRequest& request)
{
    const std::string sourceText = NativePath(request.sourceText);
    // An empty text would list the root of the file system.
    if (sourceText.empty()) {
        frontend.ShowRefusal({RefusalKind::ChooseSourceFolder});
        return;
    }
    const std::optional<FileList> sources = ListSources(frontend, sourceText);
    if (!sources)
        return;
    if (sources->size() < 2) {
        frontend.ShowRefusal({RefusalKind::ChooseSourceFolder});
        return;
    }
    state.Settings->WriteSetting(kFileNameValue, sourceText);

    const std::optional<std::string> archivePath =
        frontend.AskSaveLocation({FileNamePart(sourceText) + ".wad", "Wad file(*.wad)|*.wad", true});
    if (!archivePath)
        return;
    const double startTime = TimeOfDayNow();
    frontend.RepaintWindow();

    RunRefusable(frontend, [&] {
        PackSources(state, frontend, *sources, sourceText, *archivePath);
        ShowElapsed(state, frontend, ProgressPhase::Created, startTime);
    });
}

}  // namespace mw
