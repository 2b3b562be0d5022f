#include "ops/archive_contents.h"

#include <algorithm>
#include <unordered_set>

#include "core/file.h"
#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/entry_selection.h"
#include "ops/messages.h"

namespace mw {
namespace {

bool SameFolded(char a, char b)
{
    return FoldedNameChar(a) == FoldedNameChar(b);
}

}  // namespace

char FoldedNameChar(char c)
{
    if (c == '/')
        return kEntrySeparator;
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string EntryNameKey(std::string_view name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldedNameChar);
    return folded;
}

std::string NameBelow(const std::string& folder, std::string_view name)
{
    return folder.empty() ? std::string(name) : folder + kEntrySeparator + std::string(name);
}

ArchiveContents ReadArchiveContents(const std::string& path)
{
    ArchiveContents contents{path, {}};
    File archive(path, OpenMode::ReadOnly);
    ReadWadDirectory(archive, contents.entries);
    contents.length = archive.Length();
    archive.Close();
    return contents;
}

bool LiesPastEnd(const ArchiveContents& contents, const WadEntry& entry)
{
    return contents.length >= 0 &&
           static_cast<std::int64_t>(entry.Offset) + static_cast<std::int64_t>(entry.Size) > contents.length;
}

std::string ContentsTitle(const std::string& path)
{
    return FileNamePart(path) + " - " + kApplicationTitle;
}

std::optional<std::size_t> IndexOfEntry(const std::vector<WadEntry>& entries, const WadEntry& entry)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Offset == entry.Offset && entries[i].Size == entry.Size &&
            EntryName(entries[i]) == EntryName(entry))
            return i;
    return std::nullopt;
}

std::vector<std::string> EntryFolders(const std::vector<WadEntry>& entries)
{
    std::unordered_set<std::string> seen;
    std::vector<std::pair<std::string, std::string>> folders;  // lower-case key, first spelling
    std::string_view previous;
    for (const WadEntry& entry : entries) {
        const std::string_view name = EntryName(entry);
        const std::string_view folderPart = name.substr(0, name.rfind(kEntrySeparator) + 1);
        // Entries of one folder mostly follow one another.
        if (folderPart == previous)
            continue;
        previous = folderPart;
        const std::string lower = LowerAscii(folderPart);
        for (std::size_t end = lower.find(kEntrySeparator); end != std::string::npos;
             end = lower.find(kEntrySeparator, end + 1)) {
            // A name with an empty level ("\x", "a\\b") makes no folder from there on.
            if (end == 0 || lower[end - 1] == kEntrySeparator)
                break;
            if (seen.insert(lower.substr(0, end)).second)
                folders.emplace_back(lower.substr(0, end), std::string(name.substr(0, end)));
        }
    }
    std::sort(folders.begin(), folders.end());
    std::vector<std::string> spellings;
    spellings.reserve(folders.size());
    for (auto& folder : folders)
        spellings.push_back(std::move(folder.second));
    return spellings;
}

EntryFilter::EntryFilter(std::string folder, std::string text)
    : folderPrefix_(folder.empty() ? std::string() : EntryNameKey(folder) + kEntrySeparator), search_(text)
{
}

bool EntryFilter::Shows(std::string_view name) const
{
    if (name.size() < folderPrefix_.size() ||
        !std::equal(folderPrefix_.begin(), folderPrefix_.end(), name.begin(), SameFolded))
        return false;
    return search_.Finds(name);
}

std::string EntryCountText(std::size_t shown, std::size_t total)
{
    const std::string all = CountText(total, "entry", "entries");
    return shown == total ? all : std::to_string(shown) + " of " + all;
}

std::string ContentsStatusText(const ArchiveContents& contents, std::size_t shown)
{
    const std::string count = EntryCountText(shown, contents.entries.size());
    const auto cut = static_cast<std::size_t>(std::count_if(contents.entries.begin(), contents.entries.end(),
                                                            [&](const WadEntry& entry) { return LiesPastEnd(contents, entry); }));
    if (cut == 0)
        return count;
    return count + "; " + CountText(cut, "entry lies", "entries lie") + " past the end of the wad: it was cut short";
}

ContentsActions ActionsFor(std::size_t selectedEntries)
{
    const bool some = selectedEntries > 0;
    const bool one = selectedEntries == 1;
    return {.extract = some, .add = true, .replace = one, .rename = one, .remove = some};
}

}  // namespace mw
