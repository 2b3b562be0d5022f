// Folders on POSIX: every name opened relative to its folder's descriptor
// with O_NOFOLLOW, and folders read with readdir.
#include "core/folder_access.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/file_stamp.h"
#include "core/path_helpers.h"
#include "core/posix/native_file.h"

namespace mw {
namespace {

int OpenAt(int at, const std::string& name, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::openat(at, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int Fd(const File& file)
{
    return NativeFile::Descriptor(file);
}

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

FileIdentity IdentityOf(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// What a listed name is, its link followed: readdir says for most names
// without a call.
ListedName Listed(const std::string& path, std::string_view name, unsigned char type)
{
    ListedName listed {name};
    if (type != DT_LNK && type != DT_UNKNOWN) {
        listed.kind = type == DT_REG ? EntryKind::File : type == DT_DIR ? EntryKind::Folder : EntryKind::Other;
        return listed;
    }
    struct stat st {};
    if (type == DT_UNKNOWN && ::lstat(path.c_str(), &st) != 0) {
        listed.error = IsMissingError(errno) ? 0 : errno;  // gone meanwhile: nothing to read
        return listed;
    }
    listed.followed = type == DT_LNK || S_ISLNK(st.st_mode);
    if (!listed.followed) {
        listed.kind = KindOf(st.st_mode);
        return listed;
    }
    if (::stat(path.c_str(), &st) != 0) {
        // A dangling link, or a loop of links, names nothing to read.
        if (!IsMissingError(errno) && errno != ELOOP)
            listed.error = errno;
        return listed;
    }
    const EntryKind kind = KindOf(st.st_mode);
    listed.kind = kind == EntryKind::Link ? EntryKind::Other : kind;
    return listed;
}

// A folder's path as its errors name it: without the separator the
// listing puts after it.
std::string FolderNamed(const std::string& path)
{
    return path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

}  // namespace

FileIdentity IdentityOf(const File& file)
{
    struct stat st {};
    if (::fstat(Fd(file), &st) != 0)
        ThrowSystemError(errno, file.Name());
    return IdentityOf(st);
}

FileStamp StampOf(const File& file)
{
    struct stat st {};
    if (::fstat(Fd(file), &st) != 0)
        ThrowSystemError(errno, file.Name());
    return {st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

void SetModifiedTime(File& file, const FileStamp& stamp)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {stamp.modifiedSeconds, stamp.modifiedNanoseconds}};
    if (::futimens(Fd(file), times) != 0)
        ThrowSystemError(errno, file.Name());
}

FolderEntry EntryIn(const File& folder, const std::string& name, const std::string& path)
{
    struct stat st {};
    if (::fstatat(Fd(folder), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (IsMissingError(errno))
            return {};
        ThrowSystemError(errno, path);
    }
    return {KindOf(st.st_mode), IdentityOf(st)};
}

int OpenFolderIn(const File& folder, const std::string& name, File& opened)
{
    const int fd = OpenAt(Fd(folder), name, O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return errno;
    opened = NativeFile::Adopt(fd, folder.Name() + kNativeSeparator + name);
    return 0;
}

int MakeFolderIn(const File& folder, const std::string& name)
{
    return ::mkdirat(Fd(folder), name.c_str(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

int CreateFileIn(const File& folder, const std::string& name, const std::string& path, File& created)
{
    // A file made here is a regular one. What is already there is opened
    // without blocking on a pipe and looked at before a byte is written,
    // so that a device or a pipe gets none; a fresh extraction pays no
    // call for it.
    int fd = OpenAt(Fd(folder), name, O_RDWR | O_CREAT | O_EXCL, 0666);
    const bool found = fd < 0 && errno == EEXIST;
    if (found)
        fd = OpenAt(Fd(folder), name, O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno;
    File opened = NativeFile::Adopt(fd, path);
    if (found) {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return errno;
        // The caller finds out what stands there, and names it.
        if (!S_ISREG(st.st_mode))
            return EINVAL;
        if (::ftruncate(fd, 0) != 0)
            return errno;
    }
    created = std::move(opened);
    return 0;
}

int OpenFolderByPath(const std::string& path, File& opened)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    opened = NativeFile::Adopt(fd, path);
    return 0;
}

File DuplicateOf(const File& file)
{
    const int fd = ::fcntl(Fd(file), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        ThrowSystemError(errno, file.Name());
    return NativeFile::Adopt(fd, file.Name());
}

bool IsMissingError(int code)
{
    return code == ENOENT || code == ENOTDIR;
}

int PathNotFoundCode()
{
    return ENOTDIR;
}

bool IsLinkMetError(int)
{
    return false;  // lstat shows every link as one
}

bool ListFolder(const std::string& path, FileIdentity& identity, const std::function<void(const ListedName&)>& found)
{
    int err = faults::Check(faults::Call::List);
    DIR* opened = err == 0 ? ::opendir(path.c_str()) : nullptr;
    if (opened == nullptr) {
        err = err != 0 ? err : errno;
        if (IsMissingError(err))
            return false;
        ThrowSystemError(err, FolderNamed(path), Access::Read);
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opened, ::closedir);
    struct stat self {};
    if (::fstat(::dirfd(dir.get()), &self) != 0)
        ThrowSystemError(errno, FolderNamed(path), Access::Read);
    identity = IdentityOf(self);
    std::string entryPath = path;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                ThrowSystemError(errno, FolderNamed(path), Access::Read);
            return true;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entryPath.resize(path.size());
        entryPath.append(name);
        found(Listed(entryPath, name, entry->d_type));
    }
}

}  // namespace mw
