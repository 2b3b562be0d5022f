// The private folder on POSIX: names in it reached with the *at calls and
// O_NOFOLLOW, files created 0600.
#include "core/private_folder.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/posix/native_file.h"

namespace mw {
namespace {

EntryKind KindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

}  // namespace

void PrivateFolder::NarrowToUser(const File& folder) noexcept
{
    const int fd = NativeFile::Descriptor(folder);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_mode & 077) != 0 && st.st_uid == ::geteuid())
        (void)::fchmod(fd, st.st_mode & 07700);
}

int PrivateFolder::LinkMetError() noexcept
{
    return ELOOP;
}

std::vector<PrivateFolder::Entry> PrivateFolder::Entries() const
{
    std::vector<Entry> entries;
    const int fd = NativeFile::Descriptor(folder_);
    const int listed = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    DIR* dir = listed < 0 ? nullptr : ::fdopendir(listed);
    if (dir == nullptr) {
        if (listed >= 0)
            ::close(listed);
        return entries;
    }
    ::rewinddir(dir);  // the copy shares the position of earlier listings
    while (const dirent* found = ::readdir(dir)) {
        const std::string name = found->d_name;
        struct stat st {};
        if (name == "." || name == ".." || ::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        entries.push_back({name, KindOf(st.st_mode), static_cast<std::int64_t>(st.st_size)});
    }
    ::closedir(dir);
    return entries;
}

File PrivateFolder::OpenToRead(const std::string& name) const
{
    const std::string path = PathOf(name);
    File file = NativeFile::Adopt(OpenDescriptorIn(folder_, name, path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK), path);
    struct stat st {};
    if (::fstat(NativeFile::Descriptor(file), &st) != 0)
        ThrowSystemError(errno, path);
    if (!S_ISREG(st.st_mode))
        throw IoError(io_code::AccessDenied, path, EINVAL);
    return file;
}

File PrivateFolder::Create(const std::string& name) const
{
    Remove(name);
    const std::string path = PathOf(name);
    return NativeFile::Adopt(
        OpenDescriptorIn(folder_, name, path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0600), path);
}

File PrivateFolder::OpenLockFile(const std::string& name) const
{
    const std::string path = PathOf(name);
    return NativeFile::Adopt(OpenDescriptorIn(folder_, name, path, O_RDWR | O_CREAT | O_NOFOLLOW, 0600), path);
}

void PrivateFolder::Rename(const std::string& from, const std::string& to) const
{
    const int fd = NativeFile::Descriptor(folder_);
    int err = faults::Check(faults::Call::Rename);
    if (err == 0 && ::renameat(fd, from.c_str(), fd, to.c_str()) != 0)
        err = errno;
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (err != 0)
        ThrowSystemError(err, PathOf(to));
}

bool PrivateFolder::LinkTo(const File& file, const std::string& name) const noexcept
{
    // The descriptor's own name in /proc links the open file; a link
    // through AT_EMPTY_PATH would need a privilege.
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", NativeFile::Descriptor(file));
    return ::linkat(AT_FDCWD, self, NativeFile::Descriptor(folder_), name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

void PrivateFolder::Remove(const std::string& name) const noexcept
{
    (void)::unlinkat(NativeFile::Descriptor(folder_), name.c_str(), 0);
}

}  // namespace mw
