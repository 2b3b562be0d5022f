// The folder tree that an extraction writes. Below the chosen output folder
// every folder is opened or made relative to its open parent and every
// file relative to its open folder, never through a symbolic link or other
// reparse point, so a link planted anywhere below (or a folder swapped for
// one after it was made) cannot redirect a write. The output folder itself
// may be a link: the user chose it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/file.h"
#include "core/file_identity.h"

namespace mw {

class OutputTree {
public:
    // Nothing is opened or made until a path is looked up or created.
    explicit OutputTree(std::string folder);

    // The file already at a path below the output folder (relative, with
    // the platform's separator), or nothing when none is there. Makes nothing.
    std::optional<FileIdentity> Existing(std::string_view relative);
    // Creates the file at a relative path, or truncates it when it exists,
    // making every missing folder on the way, the output folder included.
    File Create(std::string_view relative);

    // Both raise an AppError naming the path when a symbolic link stands at
    // a folder or at the file below the output folder, or a device, a pipe
    // or a socket stands at either: only regular files are written.

    // The identity of the folder at a relative path, made when missing, so
    // that names the file system folds together (cars and Cars where case
    // is ignored) show as the one folder they are. Nothing when it cannot
    // be opened or made: the file created in it then says why.
    std::optional<FileIdentity> FolderIdentity(std::string_view relative);

    // A tree over the same output folder for another thread. It shares this
    // tree's descriptor of the output folder (made now when missing), so
    // that both write into one folder whatever its path names later.
    OutputTree Branch();
    // The output folder's path joined with a relative one, as errors and
    // created files name it.
    std::string PathOf(std::string_view relative) const;

private:
    OutputTree(std::string folder, File root);
    const File* Root(bool make);
    const File* OpenFolder(std::string_view relative, bool make);
    // A level of a walk that could not be opened or made: the folder it was
    // looked up in, its name, its path below the output folder, why, and
    // what was refused.
    struct WalkFailure {
        const File* at;
        std::string name;
        std::string_view relative;
        int err;
        Access access = Access::Unknown;
    };
    // Opens every level of relative below root into folder, making missing
    // ones when make is set; folder stays closed when relative holds no name.
    std::optional<WalkFailure> Walk(const File& root, std::string_view relative, bool make, File& folder) const;
    [[noreturn]] void ThrowFailure(const File& at, const std::string& name, std::string_view relative, int err,
                                   Access access = Access::Unknown) const;

    std::string folder_;
    File root_;
    bool rootMissing_ = false;  // looked for and not there; only Create makes it
    std::string heldName_;  // the folder held open last, so runs of one folder walk once
    File held_;
};

}  // namespace mw
