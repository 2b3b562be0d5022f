#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"
#include "core/wad.h"

namespace mw {
namespace {

// The file that a link points at is the one rewritten; the link stays.
std::string ResolveLink(const std::string& fileName)
{
    struct stat st {};
    if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return fileName;
    char* real = ::realpath(fileName.c_str(), nullptr);
    if (real == nullptr)
        return fileName;
    std::string resolved = real;
    ::free(real);
    return resolved;
}

// The target's name, the marker and eight random letters or digits.
std::string TemporaryName(const std::string& target)
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 2);
    std::string name = target;
    name += kTemporaryMarker;
    for (int i = 0; i < 8; ++i)
        name += kAlphabet[pick(generator)];
    return name;
}

// Owns the folder descriptor and the temporary file until the rename.
class TemporaryArchive {
public:
    explicit TemporaryArchive(const std::string& target) : target_(target)
    {
        const std::string folder = FolderPart(target, kNativeSeparator);
        folderFd_ = OpenDescriptor(folder.empty() ? std::string(".") : folder, O_RDONLY | O_DIRECTORY);

        for (int attempt = 0;; ++attempt) {
            name_ = TemporaryName(target);
            try {
                file_ = File::Adopt(OpenDescriptor(name_, O_RDWR | O_CREAT | O_EXCL, 0666), target_);
                break;
            } catch (const IoError& error) {
                name_.clear();
                if (error.code() != EEXIST || attempt == 16) {
                    Release();
                    throw;
                }
            }
        }
        KeepPermissions();
    }

    TemporaryArchive(const TemporaryArchive&) = delete;
    TemporaryArchive& operator=(const TemporaryArchive&) = delete;

    ~TemporaryArchive() { Release(); }

    File& file() { return file_; }

    // Flushes and closes the temporary file and puts it in the target's place.
    void Commit()
    {
        file_.Sync();
        file_.Close();
        int err = faults::Check(faults::Call::Rename);
        if (err == 0 && ::rename(name_.c_str(), target_.c_str()) != 0)
            err = errno;
        if (err != 0)
            ThrowErrno(err, target_);
        name_.clear();
        // Makes the rename itself durable; the new archive is in place
        // already, so a folder that cannot be flushed is no failure.
        (void)::fsync(folderFd_);
    }

private:
    void KeepPermissions()
    {
        struct stat st {};
        if (::stat(target_.c_str(), &st) != 0)
            return;  // a new archive keeps the mode that open gave it (0666 less the umask)
        (void)::fchmod(file_.Descriptor(), st.st_mode & 07777);
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(file_.Descriptor(), st.st_uid, st.st_gid) != 0) {
            // Only root may give a file away: anyone else's new archive is
            // theirs, as a copy would be, and that is no failure.
        }
    }

    void Release() noexcept
    {
        if (file_.IsOpen())
            file_ = File();
        if (!name_.empty())
            ::unlink(name_.c_str());
        name_.clear();
        if (folderFd_ >= 0)
            ::close(folderFd_);
        folderFd_ = -1;
    }

    std::string target_;
    std::string name_;
    int folderFd_ = -1;
    File file_;
};

// A target that cannot be written is refused before anything is written,
// as opening it for writing would be.
void CheckWritable(const std::string& target)
{
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        ThrowErrno(errno, target);
}

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
                               pending_.from + pending_.size == payload.offset() &&
                               pending_.to + pending_.size == entry.Offset;
        if (continues) {
            pending_.size += entry.Size;
            return;
        }
        Flush();
        pending_ = {&payload.file(), payload.offset(), entry.Offset, entry.Size};
    }

    void Finish()
    {
        Flush();
        source_.Close();
    }

private:
    struct Run {
        const std::string* file = nullptr;
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
        if (!source_.IsOpen() || sourceName_ != *run.file) {
            source_.Close();
            source_.Open(*run.file, OpenMode::ReadOnly);
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

    const std::string target = ResolveLink(fileName);
    CheckWritable(target);
    TemporaryArchive temporary(target);
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
