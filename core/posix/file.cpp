// The file layer on POSIX: descriptors, read, write and copy_file_range.
#include "core/file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"
#include "core/posix/kernel_copy.h"
#include "core/posix/native_file.h"

namespace mw {
namespace {

constexpr std::size_t kProgressStep = std::size_t{8} << 20;

// What a refused open wanted of the file: one opened for writing that may
// not even be read is refused its reading.
Access RefusedAccess(int folderFd, const char* name, int flags)
{
    if ((flags & O_ACCMODE) == O_RDONLY || ::faccessat(folderFd, name, R_OK, AT_EACCESS) != 0)
        return Access::Read;
    return Access::Write;
}

// A missing folder on the way is "path not found", a missing file in an
// existing folder "file not found", as on the system the archives come from.
[[noreturn]] void ThrowOpenError(const std::string& name, int err, Access access = Access::Unknown)
{
    if (err == ENOENT) {
        const std::string folder = FolderPart(name, kNativeSeparator);
        if (!folder.empty() && !FolderExists(folder))
            throw IoError(io_code::PathNotFound, name, err);
    }
    ThrowSystemError(err, name, access);
}

int Fd(const File& file)
{
    return NativeFile::Descriptor(file);
}

int FlagsFor(OpenMode mode)
{
    switch (mode) {
    // O_NONBLOCK keeps a named pipe from blocking the open; it changes
    // nothing for regular files.
    case OpenMode::Reading: return O_RDWR | O_NONBLOCK;
    case OpenMode::Writing: return O_RDWR | O_CREAT | O_TRUNC;
    case OpenMode::ReadOnly:
    case OpenMode::CopySource: return O_RDONLY | O_NONBLOCK;
    }
    return O_RDONLY | O_NONBLOCK;
}

// The errors of file systems and kernels that cannot copy between two
// files, where the bytes then go through memory.
bool KernelCannotCopy(int err)
{
    return err == EXDEV || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

// Opens name in folderFd; path is what errors name.
int OpenPathIn(int folderFd, const char* name, const std::string& path, int flags, unsigned mode = 0666)
{
    // A refusal says whether reading or writing was refused.
    const auto fail = [&](int err) {
        const bool refused = err == EACCES || err == EPERM;
        ThrowOpenError(path, err, refused ? RefusedAccess(folderFd, name, flags) : Access::Unknown);
    };
    if (int err = faults::Check(faults::Call::Open))
        fail(err);
    int fd;
    do {
        fd = ::openat(folderFd, name, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        fail(errno);
    return fd;
}

int OpenPath(const std::string& name, int flags, unsigned mode = 0666)
{
    return OpenPathIn(AT_FDCWD, name.c_str(), name, flags, mode);
}

}  // namespace

int OpenDescriptorIn(const File& folder, const std::string& name, const std::string& path, int flags, unsigned mode)
{
    return OpenPathIn(Fd(folder), name.c_str(), path, flags, mode);
}

int OpenDescriptor(const std::string& name, int flags, unsigned mode)
{
    const int fd = OpenPath(name, flags, mode);
    // A folder opens read-only on POSIX but is no byte file; refuse it as
    // opening it for writing is refused.
    if ((flags & O_ACCMODE) == O_RDONLY && (flags & O_DIRECTORY) == 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            throw IoError(io_code::AccessDenied, name, EISDIR);
        }
    }
    return fd;
}

File FolderForLookups(const std::string& name)
{
    // A folder that cannot be opened leaves its files to be opened by
    // their full paths, which name the error exactly.
    const int fd = ::open(name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return NativeFile::Adopt(fd, name);
}

File OpenSourceIn(const File& folder, std::string_view name, const std::string& path)
{
    const int at = folder.IsOpen() ? NativeFile::Descriptor(folder) : AT_FDCWD;
    const std::string inFolder(folder.IsOpen() ? name : std::string_view(path));
    return NativeFile::Adopt(OpenPathIn(at, inFolder.c_str(), path, FlagsFor(OpenMode::CopySource)), path);
}

void File::CloseQuietly() noexcept
{
    if (IsOpen())
        ::close(Fd(*this));
    handle_ = kNoHandle;
}

void File::Open(const std::string& name, OpenMode mode)
{
    CloseQuietly();
    handle_ = mode == OpenMode::CopySource ? OpenPath(name, FlagsFor(mode)) : OpenDescriptor(name, FlagsFor(mode));
    name_ = name;
}

std::size_t File::ReadSome(void* buffer, std::size_t size)
{
    for (;;) {
        if (int err = faults::Check(faults::Call::Read))
            ThrowSystemError(err, name_);
        const ssize_t got = ::read(Fd(*this), buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            ThrowSystemError(errno, name_);
    }
}

void File::ReadFrom(void* buffer, std::size_t size, std::int64_t* offset)
{
    auto* at = static_cast<char*>(buffer);
    while (size > 0) {
        if (int err = faults::Check(faults::Call::Read))
            ThrowSystemError(err, name_);
        // One call in the normal case; the loop only continues a read that
        // the kernel cut short (about 2 GiB at most per call).
        const ssize_t got = offset ? ::pread(Fd(*this), at, size, static_cast<off_t>(*offset)) : ::read(Fd(*this), at, size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowSystemError(errno, name_);
        }
        if (got == 0)
            throw IoError(io_code::ShortRead, name_);
        at += got;
        size -= static_cast<std::size_t>(got);
        if (offset)
            *offset += got;
    }
}

void File::Write(const void* buffer, std::size_t size)
{
    const auto* at = static_cast<const char*>(buffer);
    while (size > 0) {
        if (int err = faults::Check(faults::Call::Write))
            ThrowSystemError(err, name_);
        const ssize_t put = ::write(Fd(*this), at, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowSystemError(errno, name_);
        }
        if (put == 0)
            throw IoError(io_code::ShortWrite, name_);
        at += put;
        size -= static_cast<std::size_t>(put);
    }
}

void File::CopyFrom(File& source, std::int64_t sourceOffset, std::int64_t offset, std::int64_t size,
                    ByteProgress* progress)
{
    if (offset < 0 || sourceOffset < 0)
        throw IoError(io_code::NegativeSeek, name_);
    auto in = static_cast<off_t>(sourceOffset);
    auto out = static_cast<off_t>(offset);
    auto left = static_cast<std::size_t>(size);
    // Steps small enough that a progress display moves during one long copy.
    const std::size_t step = progress ? kProgressStep : left;
    while (left > 0) {
        if (int err = faults::Check(faults::Call::Write))
            ThrowSystemError(err, name_);
        ssize_t copied = -1;
        if (int err = faults::Check(faults::Call::KernelCopy))
            errno = err;
        else
            copied = KernelCopy(Fd(source), &in, Fd(*this), &out, std::min(left, step));
        if (copied > 0) {
            left -= static_cast<std::size_t>(copied);
            if (progress)
                progress->Moved(copied);
            continue;
        }
        if (copied == 0)
            throw IoError(io_code::ShortRead, source.name_);
        if (errno == EINTR)
            continue;
        // A folder can only be the source: this file is open for writing.
        if (!KernelCannotCopy(errno))
            ThrowSystemError(errno, errno == EISDIR ? source.name_ : name_);
        CopyThroughMemory(source, in, out, left, progress);
        return;
    }
}

std::int64_t File::AppendFrom(File& source, std::int64_t limit, ByteProgress* progress)
{
    std::int64_t copied = 0;
    // The kernel moves at most about 2 GiB per call; steps as CopyFrom's.
    // The first step is one piece: a source that fills it is measured then.
    const std::int64_t step = progress ? static_cast<std::int64_t>(kProgressStep) : std::int64_t{1} << 30;
    while (copied <= limit) {
        if (int err = faults::Check(faults::Call::Write))
            ThrowSystemError(err, name_);
        const std::int64_t first = copied == 0 ? static_cast<std::int64_t>(kPieceSize) : step;
        const auto want = static_cast<std::size_t>(std::min(first, limit + 1 - copied));
        ssize_t got = -1;
        if (int err = faults::Check(faults::Call::KernelCopy))
            errno = err;
        else
            got = ::copy_file_range(Fd(source), nullptr, Fd(*this), nullptr, want, 0);
        if (got == 0)
            break;
        if (got > 0) {
            copied += got;
            if (progress)
                progress->Moved(got);
            if (copied == static_cast<std::int64_t>(kPieceSize) && !source.EndsWithin(limit - copied))
                return limit + 1;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (!KernelCannotCopy(errno))
            ThrowSystemError(errno, errno == EISDIR ? source.name_ : name_);
        return copied + AppendThroughMemory(source, copied, limit, progress);
    }
    return copied;
}

bool File::EndsWithin(std::int64_t bytes) const
{
    struct stat st {};
    const off_t position = ::lseek(Fd(*this), 0, SEEK_CUR);
    // What cannot be measured is copied and counted instead.
    if (position < 0 || ::fstat(Fd(*this), &st) != 0 || !S_ISREG(st.st_mode))
        return true;
    return st.st_size - position <= bytes;
}

void File::Seek(std::int64_t position)
{
    if (position < 0)
        throw IoError(io_code::NegativeSeek, name_);
    if (int err = faults::Check(faults::Call::Seek))
        ThrowSystemError(err, name_);
    if (::lseek(Fd(*this), static_cast<off_t>(position), SEEK_SET) < 0)
        ThrowSystemError(errno, name_);
}

std::int64_t File::Length() const
{
    struct stat st {};
    if (::fstat(Fd(*this), &st) != 0)
        ThrowSystemError(errno, name_);
    return st.st_size;
}

void File::Sync()
{
    if (int err = faults::Check(faults::Call::Sync))
        ThrowSystemError(err, name_);
    if (::fsync(Fd(*this)) != 0)
        ThrowSystemError(errno, name_);
}

void File::Close()
{
    if (!IsOpen())
        return;
    const int fd = Fd(*this);
    handle_ = kNoHandle;
    if (int err = faults::Check(faults::Call::Close)) {
        ::close(fd);
        ThrowSystemError(err, name_);
    }
    // POSIX leaves the descriptor closed even when close reports an error.
    if (::close(fd) != 0 && errno != EINTR)
        ThrowSystemError(errno, name_);
}

// flock rather than a record lock: like an OFD lock it belongs to the open
// file, so the other opens and closes of the archive in this process leave
// it alone (a classic fcntl lock goes with the first close of any of them);
// unlike one it always covers the whole file, and flock(1) takes the same
// lock, so a script can hold updates off while it copies an archive.
File::LockTry File::TryLockForUpdate()
{
    for (;;) {
        if (::flock(Fd(*this), LOCK_EX | LOCK_NB) == 0)
            return LockTry::Taken;
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK)
            return LockTry::HeldElsewhere;
        // NFS mounted without its lock service.
        if (errno == ENOLCK)
            return LockTry::NotKept;
        ThrowSystemError(errno, name_);
    }
}

void File::UnlockForUpdate() noexcept
{
    (void)::flock(Fd(*this), LOCK_UN);
}

std::int64_t FileSize(const std::string& name)
{
    if (int err = faults::Check(faults::Call::Open))
        ThrowOpenError(name, err);
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0)
        ThrowOpenError(name, errno);
    if (S_ISDIR(st.st_mode))
        throw IoError(io_code::AccessDenied, name, EISDIR);
    return st.st_size;
}

bool FileExists(const std::string& name)
{
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& name)
{
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RegularFileExists(const std::string& name)
{
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int MakeFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

}  // namespace mw
