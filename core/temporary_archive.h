// A new archive until it takes the place of the one it replaces, written in
// the target's folder. Nothing is left of it if the process ends before it
// is committed: on POSIX it is unnamed where the file system allows, else
// under a short name that a signal handler removes, mode 0600 until the
// target's mode, owner and attributes are copied at the end; on Windows it
// is marked to be deleted when it closes until it is committed, then
// replaces the target, keeping the target's attributes and security.
#pragma once

#include <memory>
#include <string>

#include "core/file.h"

namespace mw {

class ArchiveLock;

class TemporaryArchive {
public:
    // Opens fileName's folder and the temporary file in it. The target's
    // links are followed by the system as it opens the path; the file it
    // reaches is the one replaced, and a path that leads to no file is a
    // new archive; one that leads to anything but a regular file is
    // refused. With the lock an update holds on the archive, the commit
    // refuses to replace anything but the locked file, unchanged.
    explicit TemporaryArchive(const std::string& fileName, const ArchiveLock* lock = nullptr);
    TemporaryArchive(const TemporaryArchive&) = delete;
    TemporaryArchive& operator=(const TemporaryArchive&) = delete;
    ~TemporaryArchive();  // removes the file unless it was committed

    File& file();

    // Flushes the temporary file, gives it the target's permissions and
    // attributes, and puts it in the target's place.
    void Commit();

private:
    // The platform's side: the target, its folder and the temporary file.
    class Place;
    // A fresh name for the temporary file, with the writer's marker.
    static std::string NewName();
    // The refusals of both platforms: a target that is no regular file,
    // and a locked archive that another program changed meanwhile.
    [[noreturn]] static void RefuseNotRegular(const std::string& fileName);
    [[noreturn]] static void RefuseChanged(const std::string& fileName);

    std::unique_ptr<Place> place_;
};

}  // namespace mw
