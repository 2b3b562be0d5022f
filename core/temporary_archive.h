// A new archive until it takes the place of the one it replaces: unnamed
// where the file system allows, so that nothing is left if the process
// dies; else under a short name that a signal handler removes. Mode 0600
// until the target's mode, owner and attributes are copied at the end.
#pragma once

#include <string>

#include "core/file.h"

namespace mw {

class ArchiveLock;

class TemporaryArchive {
public:
    // Opens fileName's folder and the temporary file in it. The target's
    // links are followed by the kernel as it opens the path; the file it
    // reaches is the one replaced, and a path that leads to no file is a
    // new archive; one that leads to anything but a regular file is
    // refused. With the lock an update holds on the archive, the commit
    // refuses to replace anything but the locked file, unchanged.
    explicit TemporaryArchive(const std::string& fileName, const ArchiveLock* lock = nullptr);
    TemporaryArchive(const TemporaryArchive&) = delete;
    TemporaryArchive& operator=(const TemporaryArchive&) = delete;
    ~TemporaryArchive();  // removes the file unless it was committed

    File& file() { return file_; }

    // Flushes the temporary file, gives it the target's mode and attributes,
    // and puts it in the target's place.
    void Commit();

private:
    // The archive that is replaced, and where its replacement goes.
    struct Target {
        File file;            // open while the archive exists; its mode and attributes are copied
        std::string folder;   // the folder that receives the new archive
        std::string name;     // the archive's name in that folder
    };
    static Target OpenTarget(const std::string& fileName);

    void CheckSameTarget();
    void CheckStillLocked();
    int OpenIn(const std::string& name, int flags);
    bool OpenUnnamed();
    void LinkUnnamed();
    void Name(const std::string& name);
    void KeepPermissions();
    void Release() noexcept;

    std::string fileName_;  // the archive's path as given, which errors name
    const ArchiveLock* lock_;
    Target target_;
    std::string name_;  // empty while the file has no name
    int folderFd_ = -1;
    File file_;
};

}  // namespace mw
