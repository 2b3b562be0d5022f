#include "ops/find_entries.h"

#include <algorithm>

#include "core/file.h"
#include "core/list_files.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/entry_selection.h"
#include "ops/messages.h"
#include "ops/operation_runtime.h"

namespace mw {
namespace {

// The directory, checked as a load checks it: a file of another kind
// rarely passes.
std::vector<WadEntry> ReadDirectory(const std::string& path)
{
    File archive(path, OpenMode::ReadOnly);
    std::vector<WadEntry> entries;
    ReadWadDirectory(archive, entries);
    const std::int64_t length = archive.Length();
    for (std::size_t i = 0; i < entries.size(); ++i)
        CheckWadPayload(entries[i], static_cast<std::int32_t>(i), length, path);
    archive.Close();
    return entries;
}

}  // namespace

void FoundEntryList::Clear()
{
    rows_.clear();
    failures_ = 0;
    folderFailures_ = 0;
}

void FoundEntryList::Found(const std::string& archive, const WadEntry& entry)
{
    rows_.push_back({archive, entry});
}

void FoundEntryList::Failed(const std::string& /*archive*/, const AppError& /*error*/)
{
    ++failures_;
}

void FoundEntryList::FolderFailed(const AppError& /*error*/)
{
    ++folderFailures_;
}

std::string FindTitle(const std::string& pattern)
{
    return "Find " + pattern + " - " + kApplicationTitle;
}

std::string FindSummaryText(std::size_t found, std::size_t failures, std::size_t folderFailures)
{
    std::string summary =
        found == 0 ? std::string("No entry found (") + kEntrySearchRule + ')' : CountText(found, "entry", "entries") + " found";
    if (failures > 0)
        summary += "; " + CountText(failures, "wad", "wads") + " could not be read";
    if (folderFailures > 0)
        summary += "; " + CountText(folderFailures, "folder", "folders") + " could not be read";
    return summary;
}

void FindEntries(const std::string& folder, const std::string& pattern, FoundEntries& found)
{
    // The lister's mask would take only the folders that match it too.
    FileList archives = ListFilesWithin(folder, [&found](const IoError& error) { found.FolderFailed(error); });
    std::erase_if(archives, [](const std::string& path) { return !MatchesMask(FileNamePart(path), "*.wad"); });
    std::sort(archives.begin(), archives.end());
    const EntrySearch search(pattern);
    for (const std::string& archive : archives) {
        std::vector<WadEntry> entries;
        // One archive that cannot be read ends its own search, not the others'.
        try {
            entries = ReadDirectory(archive);
        } catch (const AppError& error) {
            found.Failed(archive, error);
            continue;
        }
        for (const WadEntry& entry : entries)
            if (search.Finds(EntryName(entry)))
                found.Found(archive, entry);
    }
}

bool FindInInstallation(RunState& state, Frontend& frontend, const std::string& pattern, FoundEntries& found)
{
    const std::string folder = InstallationFolder(state);
    if (folder.empty() || !FolderExists(folder)) {
        frontend.ShowRefusal({RefusalKind::NoInstallation});
        return false;
    }
    FindEntries(folder, pattern, found);
    return true;
}

}  // namespace mw
