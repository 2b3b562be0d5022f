#include "core/output_tree.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errors.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"

namespace mw {
namespace {

constexpr const char* kLinkPrefix = "Symbolic link in the output folder: ";

int OpenAt(int at, const std::string& name, int flags, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::openat(at, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The last level of a relative path, and the folder levels before it.
std::pair<std::string_view, std::string> SplitLast(std::string_view relative)
{
    const auto last = relative.rfind(kNativeSeparator);
    if (last == std::string_view::npos)
        return {{}, std::string(relative)};
    return {relative.substr(0, last), std::string(relative.substr(last + 1))};
}

}  // namespace

FileIdentity IdentityOf(const File& file)
{
    struct stat st {};
    if (::fstat(file.Descriptor(), &st) != 0)
        ThrowErrno(errno);
    return {st.st_dev, st.st_ino};
}

OutputTree::OutputTree(std::string folder) : folder_(std::move(folder)) {}

OutputTree::OutputTree(std::string folder, File root) : folder_(std::move(folder)), root_(std::move(root)) {}

OutputTree OutputTree::Branch()
{
    const int fd = ::fcntl(Root(true)->Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        ThrowErrno(errno, folder_);
    return OutputTree(folder_, File::Adopt(fd, folder_));
}

const File* OutputTree::Root(bool make)
{
    if (root_.IsOpen())
        return &root_;
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    if (make) {
        CreateFolders(folder_);
        root_ = File::Adopt(OpenDescriptor(folder_, kFlags));
        return &root_;
    }
    if (rootMissing_)
        return nullptr;
    const int fd = ::open(folder_.c_str(), kFlags);
    if (fd < 0) {
        rootMissing_ = errno == ENOENT || errno == ENOTDIR;
        if (rootMissing_)
            return nullptr;
        ThrowErrno(errno);
    }
    root_ = File::Adopt(fd);
    return &root_;
}

const File* OutputTree::OpenFolder(std::string_view relative, bool make)
{
    if (relative.empty())
        return Root(make);
    if (held_.IsOpen() && relative == heldName_)
        return &held_;
    const File* root = Root(make);
    if (root == nullptr)
        return nullptr;
    File current;
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find(kNativeSeparator, start);
        if (end == std::string_view::npos)
            end = relative.size();
        const std::string name(relative.substr(start, end - start));
        start = end + 1;
        if (name.empty())
            continue;
        const int at = current.IsOpen() ? current.Descriptor() : root->Descriptor();
        constexpr int kFlags = O_RDONLY | O_DIRECTORY;
        int fd = OpenAt(at, name, kFlags);
        if (fd < 0 && errno == ENOENT && make) {
            (void)::mkdirat(at, name.c_str(), 0777);
            fd = OpenAt(at, name, kFlags);
        }
        if (fd < 0) {
            const int err = errno;
            if (!make && (err == ENOENT || err == ENOTDIR) && !IsLink(at, name))
                return nullptr;
            // A missing folder on the way is "path not found", as for any open.
            ThrowFailure(at, name, relative.substr(0, end), err == ENOENT ? ENOTDIR : err);
        }
        current = File::Adopt(fd);
    }
    if (!current.IsOpen())  // nothing but separators
        return root;
    held_ = std::move(current);
    heldName_ = relative;
    return &held_;
}

bool OutputTree::IsLink(int at, const std::string& name)
{
    struct stat st {};
    return ::fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
}

void OutputTree::ThrowFailure(int at, const std::string& name, std::string_view relative, int err) const
{
    if (IsLink(at, name))
        throw AppError(kLinkPrefix + PrintableText(PathOf(relative)));
    ThrowErrno(err, PathOf(relative));
}

std::string OutputTree::PathOf(std::string_view relative) const
{
    std::string path = folder_;
    path += kNativeSeparator;
    path += relative;
    return path;
}

std::optional<FileIdentity> OutputTree::Existing(std::string_view relative)
{
    const auto [folderPart, name] = SplitLast(relative);
    const File* folder = OpenFolder(folderPart, false);
    if (folder == nullptr)
        return std::nullopt;
    struct stat st {};
    if (::fstatat(folder->Descriptor(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        ThrowErrno(errno);
    }
    if (S_ISLNK(st.st_mode))
        ThrowFailure(folder->Descriptor(), name, relative, ELOOP);
    return FileIdentity{st.st_dev, st.st_ino};
}

File OutputTree::Create(std::string_view relative)
{
    const auto [folderPart, name] = SplitLast(relative);
    const int at = OpenFolder(folderPart, true)->Descriptor();
    if (int err = faults::Check(faults::Call::Open))
        ThrowErrno(err, PathOf(relative));
    const int fd = OpenAt(at, name, O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (fd < 0)
        ThrowFailure(at, name, relative, errno);
    return File::Adopt(fd, PathOf(relative));
}

}  // namespace mw
