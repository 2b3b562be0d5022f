// An update's exclusive hold on the archive it rewrites, from before it is
// loaded until its replacement is in place, so that two updates of one
// archive run one after the other and neither loses the other's work.
// The lock is advisory: a program that takes none is not held off, but the
// writer refuses to put its archive in place when the path no longer names
// the locked file as it was locked.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "core/file.h"
#include "core/file_identity.h"
#include "core/file_stamp.h"

namespace mw {

class ArchiveLock {
public:
    enum class Wait { ForOtherUpdates, No };

    // How a lock held by another program is waited for. The lock is tried
    // again and again, so that the wait can be told about and stopped.
    struct Waiting {
        Wait wait = Wait::ForOtherUpdates;
        // told, once, when the lock has been waited for that long
        std::chrono::milliseconds noticeAfter{1000};
        std::function<void()> notice;
        // called between tries; raises to end the wait
        std::function<void()> betweenTries;
    };

    // Opens the archive in reading mode and locks it. A lock held by another
    // program is waited for, or, with Wait::No, raises an AppError naming
    // the archive. When the archive is replaced while this one waits (the
    // update before put its archive in place), the lock is taken on the
    // file the path names then. On a file system that keeps no locks, a
    // lock file of the user's data folder stands in for the archive's lock.
    ArchiveLock(const std::string& fileName, const Waiting& waiting);
    ArchiveLock(const std::string& fileName, Wait wait);
    ~ArchiveLock();
    ArchiveLock(const ArchiveLock&) = delete;
    ArchiveLock& operator=(const ArchiveLock&) = delete;

    const std::string& fileName() const { return fileName_; }
    // The locked archive, open for the payloads loaded from it.
    const std::shared_ptr<File>& archive() const { return archive_; }

    // Whether named, the file its path names now, is still the locked file,
    // unchanged since it was locked: the same file, size and modification time.
    bool StillDescribes(const File& named) const;

private:
    std::string fileName_;
    std::shared_ptr<File> archive_;
    FileIdentity identity_;
    FileStamp stamp_;
    // The lock file held in place of the archive's own lock, when one is.
    File standIn_;
    std::string standInPath_;
};

}  // namespace mw
