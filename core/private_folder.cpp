#include "core/private_folder.h"

#include "core/errors.h"

namespace mw {

PrivateFolder PrivateFolder::Open(const std::string& path)
{
    File folder;
    if (OpenFolderByPath(path, folder) != 0)
        return {};
    NarrowToUser(folder);
    return PrivateFolder(std::move(folder));
}

PrivateFolder PrivateFolder::Make(const std::string& path)
{
    std::string unmade;
    const int makeErr = CreateFolders(path, unmade);
    File folder;
    if (const int err = OpenFolderByPath(path, folder)) {
        // A level that could not be made says why better than the open.
        if (makeErr != 0)
            ThrowSystemError(makeErr, unmade);
        ThrowSystemError(err, path);
    }
    NarrowToUser(folder);
    return PrivateFolder(std::move(folder));
}

PrivateFolder PrivateFolder::Child(const std::string& name) const
{
    File child;
    if (OpenFolderIn(folder_, name, child) != 0)
        return {};
    NarrowToUser(child);
    return PrivateFolder(std::move(child));
}

PrivateFolder PrivateFolder::MakeChild(const std::string& name) const
{
    MakeFolderIn(folder_, name);
    File child;
    if (const int err = OpenFolderIn(folder_, name, child)) {
        const std::string path = PathOf(name);
        ThrowSystemError(EntryIn(folder_, name, path).kind == EntryKind::Link ? LinkMetError() : err, path);
    }
    NarrowToUser(child);
    return PrivateFolder(std::move(child));
}

}  // namespace mw
