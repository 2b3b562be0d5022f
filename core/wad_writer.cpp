#include <algorithm>

#include "core/archive_lock.h"
#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/temporary_archive.h"
#include "core/wad.h"

namespace mw {
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
            throw RangeError(out_.Name());
        if (entry.Offset < 0) {
            Flush();
            throw IoError(io_code::NegativeSeek, out_.Name());
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

void Rebuild(const std::string& fileName, const ArchiveLock* lock, const WadImage& image, std::int32_t count,
             ByteProgress* progress, BeforeCommit* beforeCommit)
{
    if (count < 0 || static_cast<std::size_t>(count) > image.Entries.size() ||
        static_cast<std::size_t>(count) > image.Payloads.size())
        throw RangeError(fileName);

    TemporaryArchive temporary(fileName, lock);
    File& out = temporary.file();

    WriteDirectory(out, image.Entries, count);
    if (progress)
        progress->Moved(DirectoryEnd(count));

    PayloadWriter payloads(out, progress);
    for (std::int32_t i = 0; i < count; ++i)
        payloads.Write(image.Entries[i], image.Payloads[i]);
    payloads.Finish();
    if (beforeCommit)
        beforeCommit->Complete(out);
    temporary.Commit();
}

}  // namespace

void RebuildWad(const std::string& fileName, const WadImage& image, std::int32_t count, ByteProgress* progress)
{
    Rebuild(fileName, nullptr, image, count, progress, nullptr);
}

void RebuildWad(const ArchiveLock& archive, const WadImage& image, std::int32_t count, ByteProgress* progress,
                BeforeCommit* beforeCommit)
{
    Rebuild(archive.fileName(), &archive, image, count, progress, beforeCommit);
}

void WriteDirectory(File& out, const std::vector<WadEntry>& entries, std::int32_t count)
{
    if (count < 0 || static_cast<std::size_t>(count) > entries.size())
        throw RangeError(out.Name());
    out.Write(&count, sizeof count);
    // An image without entries may have no table at all (a null data()).
    if (count > 0)
        out.Write(entries.data(), static_cast<std::size_t>(count) * sizeof(WadEntry));
}

std::int64_t PayloadTotal(std::span<const WadEntry> entries)
{
    std::int64_t bytes = 0;
    for (const WadEntry& entry : entries)
        bytes += std::max(entry.Size, 0);
    return bytes;
}

std::int64_t WrittenBytes(const WadImage& image, std::int32_t count)
{
    return DirectoryEnd(count) + PayloadTotal(std::span(image.Entries).first(static_cast<std::size_t>(count)));
}

}  // namespace mw
