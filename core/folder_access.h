// Folders as the output tree and the lister reach them: names opened and
// made relative to an open folder, never through a link or any other
// reparse point, and a folder's entries in the file system's order. Each
// platform has its own implementation; failures come back as the
// platform's error code (0: none) for the caller to name its path.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/file.h"
#include "core/file_identity.h"

namespace mw {

// What stands at a name; a link is a Link, whatever it leads to.
enum class EntryKind { Missing, File, Folder, Link, Other };

struct FolderEntry {
    EntryKind kind = EntryKind::Missing;
    FileIdentity identity;
};

// What stands at name in folder, without following a link. A failure
// other than a missing entry raises the IoError naming path.
FolderEntry EntryIn(const File& folder, const std::string& name, const std::string& path);

// Opens the folder at name in folder, never through a link.
int OpenFolderIn(const File& folder, const std::string& name, File& opened);
// Makes the folder name in folder; the error code when it cannot (0 also
// when something is there already: the open after it tells what), so that
// an open that then finds nothing can say why.
int MakeFolderIn(const File& folder, const std::string& name);
// Creates the file at name in folder, or truncates it, for reading and
// writing, never through a link; path is the name its errors carry.
int CreateFileIn(const File& folder, const std::string& name, const std::string& path, File& created);

// Opens a folder by its path, links followed (the user chose it).
int OpenFolderByPath(const std::string& path, File& opened);
// A second File on what file has open, for another thread.
File DuplicateOf(const File& file);

// Whether an error code says that a name, or a folder on its way, is missing.
bool IsMissingError(int code);
// The code of "path not found": a folder on the way is missing.
int PathNotFoundCode();
// Whether an open below a folder failed on a link that what stands at
// the name does not show (EntryIn then tells a folder or file).
bool IsLinkMetError(int code);

// A name in a folder as a listing meets it.
struct ListedName {
    std::string_view name;
    // What it is, a link followed to what it leads to (Other where it
    // leads nowhere, or where that cannot be told).
    EntryKind kind = EntryKind::Other;
    // Whether the name is, or may be, a link: a listing that must not
    // leave its folder looks at where it leads.
    bool followed = false;
    // The platform's code of the failure that kept what a link leads to
    // from being told; 0 when it leads somewhere or nowhere at all.
    int error = 0;
};

// Calls found with each name in the folder at path, which ends with a
// separator ("." and ".." left out), in the order the file system returns
// them. Returns false, having called nothing, when nothing is at path or
// it is no folder. A folder that is there but cannot be read raises the
// IoError naming it (without the separator). identity is the folder's own.
bool ListFolder(const std::string& path, FileIdentity& identity, const std::function<void(const ListedName&)>& found);

}  // namespace mw
