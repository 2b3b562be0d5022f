// The temporary archive on POSIX: O_TMPFILE linked and renamed into place.
#include "core/temporary_archive.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "core/archive_lock.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"
#include "core/posix/native_file.h"
#include "core/posix/removal_on_signal.h"

namespace mw {
namespace {

// The name under which the kernel opened a descriptor: the real file behind
// every link of the path it was opened by.
std::string NameOf(int fd)
{
    char buffer[PATH_MAX + 1];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), buffer, PATH_MAX);
    if (length <= 0 || buffer[0] != '/')
        return {};
    return std::string(buffer, static_cast<std::size_t>(length));
}

// Extended attributes (and with them ACLs) of one file onto another; an
// attribute the file system or the user may not set is left out.
void CopyAttributes(int from, int to)
{
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0)
        return;
    std::string names(static_cast<std::size_t>(listSize), '\0');
    const ssize_t got = ::flistxattr(from, names.data(), names.size());
    for (std::size_t at = 0; got > 0 && at < static_cast<std::size_t>(got); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
        if (size < 0)
            continue;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t read = ::fgetxattr(from, name, value.data(), value.size());
        if (read >= 0)
            (void)::fsetxattr(to, name, value.data(), static_cast<std::size_t>(read), 0);
    }
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

class TemporaryArchive::Place {
public:
    Place(const std::string& fileName, const ArchiveLock* lock);
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place();

    File& file() { return file_; }
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

TemporaryArchive::TemporaryArchive(const std::string& fileName, const ArchiveLock* lock)
    : place_(std::make_unique<Place>(fileName, lock))
{
}

TemporaryArchive::~TemporaryArchive() = default;

File& TemporaryArchive::file()
{
    return place_->file();
}

void TemporaryArchive::Commit()
{
    place_->Commit();
}

// The archive that is replaced: opened by its path, so that the kernel
// follows its links with its own protections, then named through that
// descriptor. A path that leads to no file is a new archive.
TemporaryArchive::Place::Target TemporaryArchive::Place::OpenTarget(const std::string& fileName)
{
    Target target;
    std::string real = fileName;
    try {
        // Opening for writing refuses an archive that cannot be written
        // before anything is written.
        target.file = NativeFile::Adopt(OpenDescriptor(fileName, O_RDWR | O_NONBLOCK), fileName);
        // A device, pipe or socket at the path is not an archive to replace.
        struct stat st {};
        if (::fstat(NativeFile::Descriptor(target.file), &st) == 0 && !S_ISREG(st.st_mode))
            RefuseNotRegular(fileName);
        if (std::string named = NameOf(NativeFile::Descriptor(target.file)); !named.empty())
            real = std::move(named);
    } catch (const IoError& error) {
        if (error.code() != io_code::FileNotFound)
            throw;
    }
    target.folder = FolderPart(real, kNativeSeparator);
    if (target.folder.empty())
        target.folder = ".";
    target.name = FileNamePart(real, kNativeSeparator);
    return target;
}

TemporaryArchive::Place::Place(const std::string& fileName, const ArchiveLock* lock)
    : fileName_(fileName), lock_(lock), target_(OpenTarget(fileName))
{
    folderFd_ = OpenDescriptor(target_.folder, O_RDONLY | O_DIRECTORY);
    CheckSameTarget();
    if (OpenUnnamed())
        return;
    for (int attempt = 0;; ++attempt) {
        const std::string name = NewName();
        const int fd = OpenIn(name, O_RDWR | O_CREAT | O_EXCL);
        if (fd >= 0) {
            file_ = NativeFile::Adopt(fd, fileName_);
            Name(name);
            break;
        }
        if (errno != EEXIST || attempt == 16) {
            const int err = errno;
            Release();
            ThrowSystemError(err, fileName_);
        }
    }
}

TemporaryArchive::Place::~Place()
{
    Release();
}

void TemporaryArchive::Place::Commit()
{
    file_.Sync();
    KeepPermissions();
    // An unnamed file gets its name only now, and the rename follows the
    // close at once: a process killed in between leaves the complete
    // archive under the temporary name.
    if (name_.empty())
        LinkUnnamed();
    file_.Close();
    CheckStillLocked();
    int err = faults::Check(faults::Call::Rename);
    if (err == 0 && ::renameat(folderFd_, name_.c_str(), folderFd_, target_.name.c_str()) != 0)
        err = errno;
    if (err != 0)
        ThrowSystemError(err, fileName_);
    DisarmRemovalOnSignal(folderFd_, name_);
    name_.clear();
    // Makes the rename itself durable; the new archive is in place
    // already, so a folder that cannot be flushed is no failure.
    (void)::fsync(folderFd_);
}

// The folder opened by its name must still hold the file opened by the
// archive's path, or the rename would replace another one.
void TemporaryArchive::Place::CheckSameTarget()
{
    struct stat opened {}, named {};
    if (!target_.file.IsOpen() || ::fstat(NativeFile::Descriptor(target_.file), &opened) != 0)
        return;
    if (::fstatat(folderFd_, target_.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) {
        Release();
        ThrowSystemError(ESTALE, fileName_);
    }
}

// Another program may have replaced or rewritten the locked archive since
// it was loaded: its file is kept rather than overwritten by an update of
// what was there before.
void TemporaryArchive::Place::CheckStillLocked()
{
    if (lock_ == nullptr)
        return;
    const int fd = ::openat(folderFd_, target_.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || !lock_->StillDescribes(NativeFile::Adopt(fd, fileName_)))
        RefuseChanged(fileName_);
}

int TemporaryArchive::Place::OpenIn(const std::string& name, int flags)
{
    if (int err = faults::Check(faults::Call::Open)) {
        errno = err;
        return -1;
    }
    int fd;
    do {
        fd = ::openat(folderFd_, name.c_str(), flags | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool TemporaryArchive::Place::OpenUnnamed()
{
    if (faults::Check(faults::Call::UnnamedTemporary) != 0)
        return false;
    const int fd = OpenIn(".", O_TMPFILE | O_RDWR);
    if (fd >= 0) {
        file_ = NativeFile::Adopt(fd, fileName_);
        return true;
    }
    // File systems without unnamed files take a named one; any other
    // failure is the folder's and a named file would meet it too.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
        return false;
    const int err = errno;
    Release();
    ThrowSystemError(err, fileName_);
}

// Gives the unnamed file a short name beside the target for the rename.
void TemporaryArchive::Place::LinkUnnamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(NativeFile::Descriptor(file_));
    for (int attempt = 0;; ++attempt) {
        const std::string name = NewName();
        Name(name);
        if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return;
        const int err = errno;
        DisarmRemovalOnSignal(folderFd_, name_);
        name_.clear();
        if (err != EEXIST || attempt == 16)
            ThrowSystemError(err, fileName_);
    }
}

void TemporaryArchive::Place::Name(const std::string& name)
{
    name_ = name;
    ArmRemovalOnSignal(folderFd_, name_);
}

void TemporaryArchive::Place::KeepPermissions()
{
    const int fd = NativeFile::Descriptor(file_);
    if (!target_.file.IsOpen()) {
        (void)::fchmod(fd, NewFileMode());
        return;
    }
    struct stat st {};
    if (::fstat(NativeFile::Descriptor(target_.file), &st) != 0)
        return;
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Only root may give a file away: anyone else's new archive is
        // theirs, as a copy would be, and that is no failure.
    }
    (void)::fchmod(fd, st.st_mode & 07777);
    CopyAttributes(NativeFile::Descriptor(target_.file), fd);
}

void TemporaryArchive::Place::Release() noexcept
{
    if (file_.IsOpen())
        file_ = File();
    if (!name_.empty())
        (void)::unlinkat(folderFd_, name_.c_str(), 0);
    DisarmRemovalOnSignal(folderFd_, name_);
    name_.clear();
    if (folderFd_ >= 0)
        ::close(folderFd_);
    folderFd_ = -1;
}

}  // namespace mw
