// What a contents view of an archive shows: its directory as read, the
// folders its names make, which entries a folder and a filter text show,
// and what can be done with a selection of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/wad.h"
#include "ops/entry_selection.h"

namespace mw {

// An archive's directory as the view read it. The edits compare it with the
// archive they load, so that a view that another program outdated changes
// nothing.
struct ArchiveContents {
    std::string path;
    std::vector<WadEntry> entries;
    // The file's length as read; -1 when not known.
    std::int64_t length = -1;
};

// Whether an entry's bytes lie, all or in part, past the end of the file:
// the archive was cut short.
bool LiesPastEnd(const ArchiveContents& contents, const WadEntry& entry);

// Reads the directory of the archive at path, opened for reading only.
ArchiveContents ReadArchiveContents(const std::string& path);

// The caption of a view of the archive at path: "cars.wad - Mendwright".
std::string ContentsTitle(const std::string& path);

// The index of the entry of entries with entry's name and place: an entry
// found earlier, in its directory read again. None when it is gone.
std::optional<std::size_t> IndexOfEntry(const std::vector<WadEntry>& entries, const WadEntry& entry);

// The form in which two names are one entry: ASCII case folded, "/" as "\".
std::string EntryNameKey(std::string_view name);
// One byte of that form.
char FoldedNameChar(char c);

// The entry name of name in an archive folder ("" for the top).
std::string NameBelow(const std::string& folder, std::string_view name);

// Every folder the entry names make by their "\" ("cars", "cars\ferrari"),
// each once whatever the case of its spelling (the first one met is kept),
// parents before their children.
std::vector<std::string> EntryFolders(const std::vector<WadEntry>& entries);

// The entries a view shows: those below a folder ("" for all) that the
// filter text finds, as find does (EntrySearch).
class EntryFilter {
public:
    EntryFilter(std::string folder, std::string text);
    bool Shows(std::string_view name) const;

private:
    std::string folderPrefix_;  // lower-case, with its trailing "\"; empty for all
    EntrySearch search_;
};

// The status of a view: "1180 entries", or "12 of 1180 entries" when a
// folder or a filter hides some.
std::string EntryCountText(std::size_t shown, std::size_t total);
// The status a contents window rests at: the count, and for an archive cut
// short how many entries lie past its end.
std::string ContentsStatusText(const ArchiveContents& contents, std::size_t shown);
// What the size column adds to an entry that lies past the end.
inline constexpr const char* kPastEndMark = " (past the end)";

// The actions a selection of entries allows.
struct ContentsActions {
    bool extract;
    bool add;
    bool replace;
    bool rename;
    bool remove;
    bool operator==(const ContentsActions&) const = default;
};
ContentsActions ActionsFor(std::size_t selectedEntries);

}  // namespace mw
