#include "ops/archive_edits.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include <unordered_set>

#include "core/archive_lock.h"
#include "core/elapsed_time.h"
#include "core/entry_text.h"
#include "core/file.h"
#include "core/list_files.h"
#include "core/output_tree.h"
#include "core/path_helpers.h"
#include "ops/entry_extraction.h"
#include "ops/entry_name_check.h"
#include "ops/extraction_lanes.h"
#include "ops/messages.h"
#include "ops/archive_limits.h"
#include "ops/operation_runtime.h"
#include "ops/source_files.h"
#include "ops/undo_recorder.h"

namespace mw {
namespace {

// The directory an edit loaded must be the one the view read: indices and
// names mean what the user saw.
void CheckUnchanged(const ArchiveContents& seen, const std::vector<WadEntry>& entries)
{
    const bool same = entries.size() == seen.entries.size() &&
                      (entries.empty() ||
                       std::memcmp(entries.data(), seen.entries.data(), entries.size() * sizeof(WadEntry)) == 0);
    if (!same)
        throw UserRefusal(RefusalKind::ArchiveChanged, seen.path);
}

std::size_t CheckedIndex(const ArchiveContents& seen, std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= seen.entries.size())
        throw UserRefusal(RefusalKind::ArchiveChanged, seen.path);
    return static_cast<std::size_t>(index);
}

// The indices in table order, each once.
std::vector<std::size_t> CheckedIndices(const ArchiveContents& seen, const std::vector<std::int32_t>& indices)
{
    std::vector<std::size_t> checked;
    checked.reserve(indices.size());
    for (const std::int32_t index : indices)
        checked.push_back(CheckedIndex(seen, index));
    std::sort(checked.begin(), checked.end());
    checked.erase(std::unique(checked.begin(), checked.end()), checked.end());
    return checked;
}

// A typed name, "/" taken as "\", that extraction would write below its
// output folder and that fits its field. An empty level inside it ("a\\b")
// is refused too, which extraction would read as one separator; one at the
// end is an unsafe name already.
std::string CheckedNewName(const std::string& typed)
{
    std::string name = typed;
    std::replace(name.begin(), name.end(), '/', kEntrySeparator);
    const bool emptyLevel = name.find("\\\\") != std::string::npos;
    // The name is typed as text; the archive holds it in the code page.
    const std::optional<std::string> entryName = EntryNameOfPathText(name);
    if (emptyLevel || !IsSafeEntryName(name) || !entryName)
        throw UserRefusal(RefusalKind::BadEntryName, typed);
    CheckEntryNameFits(*entryName);
    return *entryName;
}

// The names the table holds, so that no edit makes a second entry of one.
class TakenNames {
public:
    TakenNames(const std::vector<WadEntry>& entries, std::size_t except)
    {
        for (std::size_t j = 0; j < entries.size(); ++j)
            if (j != except)
                keys_.insert(EntryNameKey(EntryName(entries[j])));
    }
    void Take(const std::string& name)
    {
        if (!keys_.insert(EntryNameKey(name)).second)
            throw UserRefusal(RefusalKind::EntryExists, name);
    }

private:
    std::unordered_set<std::string> keys_;
};

// A pipe or a device would give an empty or endless entry.
Payload RegularSourceFile(const std::string& path)
{
    if (FileExists(path) && !RegularFileExists(path))
        throw UserRefusal(RefusalKind::NotRegularSource, path);
    return ReadSourceFile(path);
}

// Payloads back to back behind the directory, in table order; entries that
// shared one stretch of the archive keep sharing it, so that an archive
// whose entries share their bytes does not grow by an edit.
void LayOutInTableOrder(WadImage& image, const std::string& path)
{
    using Stretch = std::tuple<const File*, const std::string*, std::int64_t, std::int64_t>;
    std::map<Stretch, std::int64_t> placed;
    std::int64_t offset = DirectoryEnd(image.EntryCount);
    for (std::size_t i = 0; i < image.Entries.size(); ++i) {
        const Payload& payload = image.Payloads[i];
        WadEntry& entry = image.Entries[i];
        const std::int64_t size = payload.size();
        entry.Size = static_cast<std::int32_t>(size);
        if (payload.IsStretch() && size > 0) {
            const auto [at, added] =
                placed.try_emplace({payload.opened(), &payload.file(), payload.offset(), size}, offset);
            if (!added) {
                entry.Offset = static_cast<std::int32_t>(at->second);
                continue;
            }
        }
        CheckArchiveEnd(offset + size, path);
        entry.Offset = static_cast<std::int32_t>(offset);
        offset += size;
    }
}

// Loads the archive under its lock, checks it against the view, lets the
// change edit the image and writes it; phrase begins the final status text.
template <typename Change>
bool EditArchive(const RunState& state, Frontend& frontend, const ArchiveContents& seen, ProgressPhase ended,
                 Change&& change)
{
    const double startTime = TimeOfDayNow();
    bool done = false;
    RunRefusable(frontend, [&] {
        const ArchiveLock lock(seen.path, LockWaitingOf(state, frontend, seen.path));
        WadImage image;
        LoadWad(lock, image);
        const ArchiveRelease release(image);
        CheckUnchanged(seen, image.Entries);
        // An edit belongs to no group, and came from no source.
        UndoRecorder undo(state, lock, image, 0, {}, true);
        undo.MadeBy(UndoOrigin::ContentsEdit);
        change(image);
        WriteEditedArchive(frontend, lock, image, undo.Hook());
        undo.Keep();
        ShowElapsed(state, frontend, ended, startTime);
        done = true;
    });
    return done;
}

void AppendEntry(WadImage& image, const std::string& name, Payload payload)
{
    WadEntry added{};
    SetEntryName(added, name);
    image.Entries.push_back(added);
    image.Payloads.push_back(std::move(payload));
    image.EntryCount += 1;
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == kNativeSeparator)
        path.pop_back();
    return path;
}

std::vector<NamedSource> SourcesBelow(const std::string& archiveFolder, const std::vector<std::string>& paths)
{
    std::vector<NamedSource> sources;
    for (const std::string& given : paths) {
        const std::string path = WithoutTrailingSeparators(given);
        const std::string name = FileNamePart(path);
        if (!FolderExists(path)) {
            CheckSourceName(path, name);
            sources.push_back({NameBelow(archiveFolder, name), path});
            continue;
        }
        for (const std::string& file : ListFiles(path, "*.*", true, false, kAllAttributes)) {
            const std::string relative = name + kNativeSeparator + RelativeToSource(file, path);
            CheckSourceName(file, relative);
            sources.push_back({NameBelow(archiveFolder, ToEntrySeparators(relative)), file});
        }
    }
    return sources;
}

}  // namespace

std::optional<ArchiveContents> OpenArchiveContents(const RunState& state, Frontend& frontend,
                                                   const std::string& archiveFieldText)
{
    const std::string archiveText = NativePath(archiveFieldText);
    if (!FileExists(archiveText)) {
        frontend.ShowRefusal({RefusalKind::ChooseWadFile});
        return std::nullopt;
    }
    state.Settings->WriteSetting(kWadNameValue, archiveText);
    return ReadArchiveContents(archiveText);
}

bool RemoveEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                   const std::vector<std::int32_t>& indices)
{
    return EditArchive(state, frontend, seen, ProgressPhase::EntriesRemoved, [&](WadImage& image) {
        std::vector<bool> removed(image.Entries.size(), false);
        for (const std::size_t index : CheckedIndices(seen, indices))
            removed[index] = true;
        WadImage kept;
        for (std::size_t i = 0; i < image.Entries.size(); ++i) {
            if (removed[i])
                continue;
            kept.Entries.push_back(image.Entries[i]);
            kept.Payloads.push_back(std::move(image.Payloads[i]));
        }
        kept.EntryCount = static_cast<std::int32_t>(kept.Entries.size());
        image = std::move(kept);
    });
}

bool RenameEntry(const RunState& state, Frontend& frontend, const ArchiveContents& seen, std::int32_t index,
                 const std::string& name)
{
    return EditArchive(state, frontend, seen, ProgressPhase::EntryRenamed, [&](WadImage& image) {
        const std::size_t renamed = CheckedIndex(seen, index);
        const std::string checked = CheckedNewName(name);
        TakenNames(image.Entries, renamed).Take(checked);
        SetEntryName(image.Entries[renamed], checked);
    });
}

bool ReplaceEntry(const RunState& state, Frontend& frontend, const ArchiveContents& seen, std::int32_t index,
                  const std::string& sourcePath)
{
    return EditArchive(state, frontend, seen, ProgressPhase::EntryReplaced, [&](WadImage& image) {
        image.Payloads[CheckedIndex(seen, index)] = RegularSourceFile(sourcePath);
    });
}

bool AddEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                const std::vector<NamedSource>& sources)
{
    return EditArchive(state, frontend, seen, ProgressPhase::FilesAdded, [&](WadImage& image) {
        TakenNames taken(image.Entries, image.Entries.size());
        for (const NamedSource& source : sources) {
            const std::string name = CheckedNewName(source.entryName);
            taken.Take(name);
            AppendEntry(image, name, RegularSourceFile(source.path));
        }
    });
}

bool AddFilesBelow(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                   const std::string& archiveFolder, const std::vector<std::string>& paths)
{
    std::vector<NamedSource> sources;
    bool named = false;
    RunRefusable(frontend, [&] {
        sources = SourcesBelow(archiveFolder, paths);
        named = true;
    });
    return named && AddEntries(state, frontend, seen, sources);
}

bool ExtractEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                    const std::vector<std::int32_t>& indices, const std::string& outputFolder)
{
    // An empty name would put every entry below the root of the file system.
    if (outputFolder.empty()) {
        frontend.ShowRefusal({RefusalKind::ChooseOutputFolder});
        return false;
    }
    const double startTime = TimeOfDayNow();
    bool done = false;
    RunRefusable(frontend, [&] {
        File archive(seen.path, OpenMode::ReadOnly);
        std::vector<WadEntry> entries;
        ReadWadDirectory(archive, entries);
        CheckUnchanged(seen, entries);
        CheckEntryNames(entries, seen.path);
        std::vector<WadEntry> selected;
        for (const std::size_t index : CheckedIndices(seen, indices))
            selected.push_back(entries[index]);
        if (!WriteEntriesBelow(selected, archive, outputFolder, frontend))
            return;
        archive.Close();
        ShowElapsed(state, frontend, ProgressPhase::FilesExtracted, startTime);
        done = true;
    });
    return done;
}

std::string ExtractedFile(const std::string& outputFolder, const WadEntry& entry)
{
    return OutputTree(outputFolder).PathOf(OutputPath(entry));
}

std::vector<std::string> ExtractDragged(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                                        const std::vector<std::int32_t>& indices, const std::string& outputFolder)
{
    std::vector<std::string> files;
    if (!ExtractEntries(state, frontend, seen, indices, outputFolder))
        return files;
    // Entries that land in one file (one name twice) hand it over once.
    std::set<std::string> made;
    for (const std::int32_t index : indices) {
        std::string file = ExtractedFile(outputFolder, seen.entries[static_cast<std::size_t>(index)]);
        if (made.insert(file).second)
            files.push_back(std::move(file));
    }
    return files;
}

void WriteEditedArchive(Frontend& frontend, const ArchiveLock& lock, WadImage& image, BeforeCommit* beforeCommit)
{
    LayOutInTableOrder(image, lock.fileName());
    frontend.ShowProgress({ProgressPhase::Writing, FileNamePart(lock.fileName())});
    OperationBytes written(frontend, WrittenBytes(image, image.EntryCount));
    RebuildWad(lock, image, image.EntryCount, &written, beforeCommit);
}

}  // namespace mw
