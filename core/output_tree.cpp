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

constexpr const char* kLinkText = "Symbolic link in the output folder";
constexpr const char* kNodeText = "Device, pipe or socket in the output folder";

// Why what stands at a path below the output folder may not be written
// through, or null for a file or a folder.
const char* RefusalFor(mode_t mode)
{
    if (S_ISLNK(mode))
        return kLinkText;
    if (!S_ISREG(mode) && !S_ISDIR(mode))
        return kNodeText;
    return nullptr;
}

const char* RefusalAt(int at, const std::string& name)
{
    struct stat st {};
    return ::fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? RefusalFor(st.st_mode) : nullptr;
}

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
        ThrowErrno(errno, file.Name());
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
        root_ = File::Adopt(OpenDescriptor(folder_, kFlags), folder_);
        return &root_;
    }
    if (rootMissing_)
        return nullptr;
    const int fd = ::open(folder_.c_str(), kFlags);
    if (fd < 0) {
        rootMissing_ = errno == ENOENT || errno == ENOTDIR;
        if (rootMissing_)
            return nullptr;
        ThrowErrno(errno, folder_);
    }
    root_ = File::Adopt(fd, folder_);
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
    File folder;
    if (const auto failure = Walk(root->Descriptor(), relative, make, folder)) {
        const bool absent = failure->err == ENOENT || failure->err == ENOTDIR;
        if (!make && absent && RefusalAt(failure->at, failure->name) == nullptr)
            return nullptr;
        // A missing folder on the way is "path not found", as for any open.
        ThrowFailure(failure->at, failure->name, failure->relative, failure->err == ENOENT ? ENOTDIR : failure->err);
    }
    if (!folder.IsOpen())  // nothing but separators
        return root;
    held_ = std::move(folder);
    heldName_ = relative;
    return &held_;
}

std::optional<OutputTree::WalkFailure> OutputTree::Walk(int root, std::string_view relative, bool make,
                                                        File& folder) const
{
    std::size_t start = 0;
    while (start < relative.size()) {
        std::size_t end = relative.find(kNativeSeparator, start);
        if (end == std::string_view::npos)
            end = relative.size();
        std::string name(relative.substr(start, end - start));
        start = end + 1;
        if (name.empty())
            continue;
        const int at = folder.IsOpen() ? folder.Descriptor() : root;
        constexpr int kFlags = O_RDONLY | O_DIRECTORY;
        int fd = OpenAt(at, name, kFlags);
        if (fd < 0 && errno == ENOENT && make) {
            (void)::mkdirat(at, name.c_str(), 0777);
            fd = OpenAt(at, name, kFlags);
        }
        if (fd < 0) {
            const int err = errno;
            return WalkFailure{at, std::move(name), relative.substr(0, end), err};
        }
        folder = File::Adopt(fd, PathOf(relative.substr(0, end)));
    }
    return std::nullopt;
}

std::optional<FileIdentity> OutputTree::FolderIdentity(std::string_view relative)
{
    const File* root = Root(true);
    File folder;
    if (Walk(root->Descriptor(), relative, true, folder))
        return std::nullopt;
    return IdentityOf(folder.IsOpen() ? folder : *root);
}

void OutputTree::ThrowFailure(int at, const std::string& name, std::string_view relative, int err) const
{
    if (const char* refusal = RefusalAt(at, name))
        throw AppError(refusal, PathOf(relative));
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
        ThrowErrno(errno, PathOf(relative));
    }
    if (const char* refusal = RefusalFor(st.st_mode))
        throw AppError(refusal, PathOf(relative));
    return FileIdentity{st.st_dev, st.st_ino};
}

File OutputTree::Create(std::string_view relative)
{
    const auto [folderPart, name] = SplitLast(relative);
    const int at = OpenFolder(folderPart, true)->Descriptor();
    if (int err = faults::Check(faults::Call::Open))
        ThrowErrno(err, PathOf(relative));
    // A file made here is a regular one. What is already there is opened
    // without blocking on a pipe and looked at before a byte is written,
    // so that a device or a pipe gets none.
    int fd = OpenAt(at, name, O_RDWR | O_CREAT | O_EXCL, 0666);
    const bool found = fd < 0 && errno == EEXIST;
    if (found)
        fd = OpenAt(at, name, O_RDWR | O_TRUNC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        ThrowFailure(at, name, relative, errno);
    File file = File::Adopt(fd, PathOf(relative));
    if (found) {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            ThrowErrno(errno, file.Name());
        if (const char* refusal = RefusalFor(st.st_mode))
            throw AppError(refusal, file.Name());
    }
    return file;
}

}  // namespace mw
