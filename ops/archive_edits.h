// Edits of one archive's entries, as its contents view makes them: remove,
// rename, replace, add, and extraction of a selection. Each edit holds the
// archive's lock from its load until the new archive is in place, refuses
// (touching nothing) when the directory is no longer the one the view read,
// and writes the whole archive once. Entries are named by their index in
// the directory the view read. Each returns true when it ran to its end,
// false after a refusal shown through the frontend; file errors are thrown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/wad.h"
#include "ops/archive_contents.h"
#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

class ArchiveLock;

// A file to add and the entry name it gets.
struct NamedSource {
    std::string entryName;
    std::string path;
    bool operator==(const NamedSource&) const = default;
};

// The archive the archive field's text names, for a contents view: refused
// with message 65285 when no file is there; else remembered as "WadName"
// and its directory read.
std::optional<ArchiveContents> OpenArchiveContents(const RunState& state, Frontend& frontend,
                                                   const std::string& archiveFieldText);

bool RemoveEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                   const std::vector<std::int32_t>& indices);
// The new name is checked as extraction checks names ("/" taken as "\"),
// and refused when another entry has it in any case.
bool RenameEntry(const RunState& state, Frontend& frontend, const ArchiveContents& seen, std::int32_t index,
                 const std::string& name);
// The entry gets the bytes of the regular file at sourcePath.
bool ReplaceEntry(const RunState& state, Frontend& frontend, const ArchiveContents& seen, std::int32_t index,
                  const std::string& sourcePath);
// New entries at the end of the table; names are checked as RenameEntry
// checks them, also against one another.
bool AddEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                const std::vector<NamedSource>& sources);
// The files of paths as new entries below an archive folder ("" for the
// top, else "cars\ferrari"): a file by its name, a folder by every file
// below it, named from the folder's own name on. A file whose name cannot
// become an entry is refused, naming it.
bool AddFilesBelow(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                   const std::string& archiveFolder, const std::vector<std::string>& paths);
// The entries below outputFolder by their full names, with extract's
// safety: every name of the archive is checked first, nothing is written
// through a link, and the archive itself is never an output.
bool ExtractEntries(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                    const std::vector<std::int32_t>& indices, const std::string& outputFolder);

// The entries extracted as ExtractEntries extracts them, for a drag to a
// file manager: the files made, each once, in the order of indices; none
// after a refusal.
std::vector<std::string> ExtractDragged(const RunState& state, Frontend& frontend, const ArchiveContents& seen,
                                        const std::vector<std::int32_t>& indices, const std::string& outputFolder);

// Where ExtractEntries writes an entry below outputFolder.
std::string ExtractedFile(const std::string& outputFolder, const WadEntry& entry);

// The one write of every edit: the edited image, its payloads laid out
// behind the directory in table order, in the place of the locked archive;
// beforeCommit keeps the undo record.
void WriteEditedArchive(Frontend& frontend, const ArchiveLock& lock, WadImage& image,
                        BeforeCommit* beforeCommit = nullptr);

}  // namespace mw
