#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"
#include "core/removal_on_signal.h"
#include "core/wad.h"

namespace mw {
namespace {

std::string RandomSuffix()
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = kAlphabet[pick(generator)];
    return suffix;
}

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

// The archive that is replaced: opened by its path, so that the kernel
// follows its links with its own protections, then named through that
// descriptor. A path that leads to no file is a new archive.
struct Target {
    File file;            // open while the archive exists; its mode and attributes are copied
    std::string folder;   // the folder that receives the new archive
    std::string name;     // the archive's name in that folder
};

Target OpenTarget(const std::string& fileName)
{
    Target target;
    std::string real = fileName;
    try {
        // Opening for writing refuses an archive that cannot be written
        // before anything is written.
        target.file = File::Adopt(OpenDescriptor(fileName, O_RDWR | O_NONBLOCK), fileName);
        if (std::string named = NameOf(target.file.Descriptor()); !named.empty())
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

// The new archive until it takes the target's place: unnamed where the file
// system allows, so that nothing is left if the process dies; else under a
// short name that the signal handler removes. Mode 0600 until the target's
// mode and attributes are copied at the end.
class TemporaryArchive {
public:
    explicit TemporaryArchive(const std::string& fileName) : fileName_(fileName), target_(OpenTarget(fileName))
    {
        folderFd_ = OpenDescriptor(target_.folder, O_RDONLY | O_DIRECTORY);
        CheckSameTarget();
        if (OpenUnnamed())
            return;
        for (int attempt = 0;; ++attempt) {
            const std::string name = std::string(kTemporaryMarker) + RandomSuffix();
            const int fd = OpenIn(name, O_RDWR | O_CREAT | O_EXCL);
            if (fd >= 0) {
                file_ = File::Adopt(fd, fileName_);
                Name(name);
                break;
            }
            if (errno != EEXIST || attempt == 16) {
                const int err = errno;
                Release();
                ThrowErrno(err, fileName_);
            }
        }
    }

    TemporaryArchive(const TemporaryArchive&) = delete;
    TemporaryArchive& operator=(const TemporaryArchive&) = delete;

    ~TemporaryArchive() { Release(); }

    File& file() { return file_; }

    // Flushes the temporary file, gives it the target's mode and attributes,
    // and puts it in the target's place.
    void Commit()
    {
        file_.Sync();
        KeepPermissions();
        // An unnamed file gets its name only now, and the rename follows the
        // close at once: a process killed in between leaves the complete
        // archive under the temporary name.
        if (name_.empty())
            LinkUnnamed();
        file_.Close();
        int err = faults::Check(faults::Call::Rename);
        if (err == 0 && ::renameat(folderFd_, name_.c_str(), folderFd_, target_.name.c_str()) != 0)
            err = errno;
        if (err != 0)
            ThrowErrno(err, fileName_);
        DisarmRemovalOnSignal();
        name_.clear();
        // Makes the rename itself durable; the new archive is in place
        // already, so a folder that cannot be flushed is no failure.
        (void)::fsync(folderFd_);
    }

private:
    // The folder opened by its name must still hold the file opened by the
    // archive's path, or the rename would replace another one.
    void CheckSameTarget()
    {
        struct stat opened {}, named {};
        if (!target_.file.IsOpen() || ::fstat(target_.file.Descriptor(), &opened) != 0)
            return;
        if (::fstatat(folderFd_, target_.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) {
            Release();
            ThrowErrno(ESTALE, fileName_);
        }
    }

    int OpenIn(const std::string& name, int flags)
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

    bool OpenUnnamed()
    {
        if (faults::Check(faults::Call::UnnamedTemporary) != 0)
            return false;
        const int fd = OpenIn(".", O_TMPFILE | O_RDWR);
        if (fd >= 0) {
            file_ = File::Adopt(fd, fileName_);
            return true;
        }
        // File systems without unnamed files take a named one; any other
        // failure is the folder's and a named file would meet it too.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            return false;
        const int err = errno;
        Release();
        ThrowErrno(err, fileName_);
    }

    // Gives the unnamed file a short name beside the target for the rename.
    void LinkUnnamed()
    {
        const std::string self = "/proc/self/fd/" + std::to_string(file_.Descriptor());
        for (int attempt = 0;; ++attempt) {
            const std::string name = std::string(kTemporaryMarker) + RandomSuffix();
            Name(name);
            if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return;
            const int err = errno;
            DisarmRemovalOnSignal();
            name_.clear();
            if (err != EEXIST || attempt == 16)
                ThrowErrno(err, fileName_);
        }
    }

    void Name(const std::string& name)
    {
        name_ = name;
        ArmRemovalOnSignal(folderFd_, name_);
    }

    void KeepPermissions()
    {
        const int fd = file_.Descriptor();
        if (!target_.file.IsOpen()) {
            (void)::fchmod(fd, NewFileMode());
            return;
        }
        struct stat st {};
        if (::fstat(target_.file.Descriptor(), &st) != 0)
            return;
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only root may give a file away: anyone else's new archive is
            // theirs, as a copy would be, and that is no failure.
        }
        (void)::fchmod(fd, st.st_mode & 07777);
        CopyAttributes(target_.file.Descriptor(), fd);
    }

    void Release() noexcept
    {
        if (file_.IsOpen())
            file_ = File();
        if (!name_.empty())
            (void)::unlinkat(folderFd_, name_.c_str(), 0);
        DisarmRemovalOnSignal();
        name_.clear();
        if (folderFd_ >= 0)
            ::close(folderFd_);
        folderFd_ = -1;
    }

    std::string fileName_;  // the archive's path as given, which errors name
    Target target_;
    std::string name_;  // empty while the file has no name
    int folderFd_ = -1;
    File file_;
};

}  // namespace

namespace {

// Writes the payloads in table order, copying stretches from their files.
// A stretch that continues the previous one in both files joins it, so an
// archive's unchanged run of entries is copied in one call.
class PayloadWriter {
public:
    PayloadWriter(File& out, ByteProgress* progress) : out_(out), progress_(progress) {}

    void Write(const WadEntry& entry, const Payload& payload)
    {
        if (entry.Size > payload.size())
            throw RangeError();
        if (entry.Offset < 0) {
            Flush();
            throw IoError(io_code::NegativeSeek);
        }
        if (!payload.IsStretch()) {
            Flush();
            out_.Seek(entry.Offset);
            if (entry.Size > 0)
                out_.Write(payload.bytes().data(), static_cast<std::size_t>(entry.Size));
            if (progress_)
                progress_->Moved(std::max(entry.Size, 0));
            return;
        }
        if (entry.Size <= 0)
            return;
        const bool continues = pending_.size > 0 && pending_.file == &payload.file() &&
                               pending_.opened == payload.opened() &&
                               pending_.from + pending_.size == payload.offset() &&
                               pending_.to + pending_.size == entry.Offset;
        if (continues) {
            pending_.size += entry.Size;
            return;
        }
        Flush();
        pending_ = {&payload.file(), payload.opened(), payload.offset(), entry.Offset, entry.Size};
    }

    void Finish()
    {
        Flush();
        source_.Close();
    }

private:
    struct Run {
        const std::string* file = nullptr;
        File* opened = nullptr;  // the loaded archive, read through its descriptor
        std::int64_t from = 0;
        std::int64_t to = 0;
        std::int64_t size = 0;
    };

    void Flush()
    {
        if (pending_.size == 0)
            return;
        const Run run = pending_;
        pending_ = {};
        if (run.opened != nullptr) {
            out_.CopyFrom(*run.opened, run.from, run.to, run.size, progress_);
            return;
        }
        if (!source_.IsOpen() || sourceName_ != *run.file) {
            source_.Close();
            source_.Open(*run.file, OpenMode::CopySource);
            sourceName_ = *run.file;
        }
        out_.CopyFrom(source_, run.from, run.to, run.size, progress_);
    }

    File& out_;
    ByteProgress* progress_;
    File source_;
    std::string sourceName_;
    Run pending_;
};

}  // namespace

void RebuildWad(const std::string& fileName, const WadImage& image, std::int32_t count, ByteProgress* progress)
{
    if (count < 0 || static_cast<std::size_t>(count) > image.Entries.size() ||
        static_cast<std::size_t>(count) > image.Payloads.size())
        throw RangeError();

    TemporaryArchive temporary(fileName);
    File& out = temporary.file();

    // The count and the directory in one write.
    std::string directory(static_cast<std::size_t>(DirectoryEnd(count)), '\0');
    std::memcpy(directory.data(), &count, sizeof count);
    // An image without entries may have no table at all (a null data()).
    if (count > 0)
        std::memcpy(directory.data() + kCountSize, image.Entries.data(),
                    static_cast<std::size_t>(count) * sizeof(WadEntry));
    out.Write(directory.data(), directory.size());
    if (progress)
        progress->Moved(static_cast<std::int64_t>(directory.size()));

    PayloadWriter payloads(out, progress);
    for (std::int32_t i = 0; i < count; ++i)
        payloads.Write(image.Entries[i], image.Payloads[i]);
    payloads.Finish();
    temporary.Commit();
}

std::int64_t WrittenBytes(const WadImage& image, std::int32_t count)
{
    std::int64_t bytes = DirectoryEnd(count);
    for (std::int32_t i = 0; i < count; ++i)
        bytes += std::max(image.Entries[static_cast<std::size_t>(i)].Size, 0);
    return bytes;
}

}  // namespace mw
