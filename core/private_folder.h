// A folder of the user's own data, kept from other users and from links:
// the undo records' store. On POSIX it and every folder made in it are the
// user's alone (0700; one found wider is narrowed when the user owns it)
// and files are created 0600; on Windows they inherit the rights of the
// folder they are made in, the user's own %LOCALAPPDATA%. Every name inside
// is reached relative to the open folder, never through a symbolic link or
// other reparse point: a link planted inside is met as itself, so nothing
// read, written or removed here lies anywhere else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/folder_access.h"
#include "core/path_helpers.h"

namespace mw {

class PrivateFolder {
public:
    struct Entry {
        std::string name;
        EntryKind kind = EntryKind::Missing;  // a link is a Link, whatever it leads to
        std::int64_t size = 0;                // for a File
    };

    PrivateFolder() = default;

    // The folder at path, links on the way followed (the user may keep the
    // data folder anywhere); not open when it is missing or cannot be opened.
    static PrivateFolder Open(const std::string& path);
    // The same, made first with every missing level; a failure raises the
    // IoError naming path.
    static PrivateFolder Make(const std::string& path);
    // The folder name in this one, never through a link; not open when it is
    // missing, a link, or cannot be opened.
    PrivateFolder Child(const std::string& name) const;
    // The same, made first when missing; a failure raises the IoError naming
    // it, a link there included.
    PrivateFolder MakeChild(const std::string& name) const;

    bool IsOpen() const { return folder_.IsOpen(); }
    std::string PathOf(const std::string& name) const { return folder_.Name() + kNativeSeparator + name; }

    // Its names ("." and ".." left out); nothing when it cannot be read.
    std::vector<Entry> Entries() const;
    // Opens the regular file name for reading; a link, or anything else that
    // is no regular file, raises an IoError naming it.
    File OpenToRead(const std::string& name) const;
    // Creates the file name afresh, for reading and writing, the user's alone.
    File Create(const std::string& name) const;
    // Opens the file name, made empty when missing, to be locked: never
    // removed or replaced, so that every process locks the same file.
    File OpenLockFile(const std::string& name) const;
    // Renames from to to, replacing to, and flushes the folder; errors name to.
    void Rename(const std::string& from, const std::string& to) const;
    // Makes name here a hard link to the open file (the file itself, not
    // whatever its path names now), so that keeping it costs no copy. False
    // where the system cannot (another file system, one without hard links,
    // a name that is taken): the caller copies instead.
    bool LinkTo(const File& file, const std::string& name) const noexcept;
    // Removes the file name (a link itself, never what it leads to). One that
    // is gone, or cannot be removed, is left: callers only tidy.
    void Remove(const std::string& name) const noexcept;

private:
    explicit PrivateFolder(File folder) : folder_(std::move(folder)) {}
    // Takes the rights of other users off a folder the user owns (POSIX);
    // nothing on Windows, where rights are inherited.
    static void NarrowToUser(const File& folder) noexcept;
    // The platform's error code for a link met where a folder was wanted.
    static int LinkMetError() noexcept;

    File folder_;
};

}  // namespace mw
