#include "core/archive_lock.h"

#include <cerrno>
#include <sys/file.h>
#include <sys/stat.h>

#include "core/errors.h"
#include "core/file.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

constexpr const char* kBusyPrefix = "Sorry but another update is writing this wad: ";

// flock rather than a record lock: like an OFD lock it belongs to the open
// file, so the other opens and closes of the archive in this process leave
// it alone (a classic fcntl lock goes with the first close of any of them);
// unlike one it always covers the whole file, and flock(1) takes the same
// lock, so a script can hold updates off while it copies an archive.
// Returns false when another update holds it and wait is off.
bool Lock(const File& file, ArchiveLock::Wait wait)
{
    const int operation = LOCK_EX | (wait == ArchiveLock::Wait::No ? LOCK_NB : 0);
    for (;;) {
        if (::flock(file.Descriptor(), operation) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK)
            return false;
        // A file system without locks (NFS mounted without its lock
        // service) leaves the update to the check before the rename.
        if (errno == ENOLCK)
            return true;
        ThrowErrno(errno, file.Name());
    }
}

}  // namespace

ArchiveLock::ArchiveLock(const std::string& fileName, Wait wait) : fileName_(fileName)
{
    // The update before may put its archive in place while this one waits:
    // the lock then holds a file that no longer has the archive's name, and
    // is taken again on the file that has.
    for (;;) {
        auto file = std::make_shared<File>(fileName, OpenMode::Reading);
        if (!Lock(*file, wait))
            throw AppError(kBusyPrefix + PrintableText(fileName));
        struct stat locked {}, named {};
        if (::fstat(file->Descriptor(), &locked) != 0)
            ThrowErrno(errno, fileName);
        if (::stat(fileName.c_str(), &named) == 0 && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
            archive_ = std::move(file);
            locked_ = {locked.st_dev, locked.st_ino, locked.st_size, locked.st_mtim};
            return;
        }
    }
}

ArchiveLock::~ArchiveLock()
{
    // The payloads may keep the file open a little longer; the lock ends now.
    (void)::flock(archive_->Descriptor(), LOCK_UN);
}

bool ArchiveLock::StillNamedBy(int folderFd, const std::string& name) const
{
    struct stat now {};
    return ::fstatat(folderFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == locked_.device &&
           now.st_ino == locked_.inode && now.st_size == locked_.size &&
           now.st_mtim.tv_sec == locked_.modified.tv_sec && now.st_mtim.tv_nsec == locked_.modified.tv_nsec;
}

}  // namespace mw
