// The parts of the file layer that every platform shares: moves, and the
// copies that go through memory where the system cannot copy by itself.
#include "core/file.h"

#include <algorithm>

#include "core/byte_progress.h"
#include "core/errors.h"
#include "core/file_faults.h"
#include "core/path_helpers.h"

namespace mw {

File::File(const std::string& name, OpenMode mode)
{
    Open(name, mode);
}

File::File(File&& other) noexcept : handle_(other.handle_), name_(std::move(other.name_))
{
    other.handle_ = kNoHandle;
}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        CloseQuietly();
        handle_ = other.handle_;
        name_ = std::move(other.name_);
        other.handle_ = kNoHandle;
    }
    return *this;
}

File::~File()
{
    CloseQuietly();
}

void File::Read(void* buffer, std::size_t size)
{
    ReadFrom(buffer, size, nullptr);
}

// From source's position on to its end, until more than limit bytes are
// copied in all (copied of them already).
std::int64_t File::AppendThroughMemory(File& source, std::int64_t copied, std::int64_t limit, ByteProgress* progress)
{
    constexpr auto kPiece = static_cast<std::int64_t>(kPieceSize);
    std::string buffer(static_cast<std::size_t>(std::min(limit + 1 - copied, kPiece)), '\0');
    const std::int64_t before = copied;
    while (copied <= limit) {
        const std::size_t got =
            source.ReadSome(buffer.data(), static_cast<std::size_t>(std::min(limit + 1 - copied, kPiece)));
        if (got == 0)
            break;
        Write(buffer.data(), got);
        copied += static_cast<std::int64_t>(got);
        if (progress)
            progress->Moved(static_cast<std::int64_t>(got));
        if (copied == kPiece && !source.EndsWithin(limit - copied))
            return limit + 1 - before;
    }
    return copied - before;
}

void File::CopyThroughMemory(File& source, std::int64_t sourceOffset, std::int64_t offset, std::size_t size,
                             ByteProgress* progress)
{
    std::string buffer(std::min(size, kPieceSize), '\0');
    // The source is read at its offsets, never moved: several threads may
    // copy from one archive at once.
    Seek(offset);
    while (size > 0) {
        const std::size_t piece = std::min(size, kPieceSize);
        source.ReadFrom(buffer.data(), piece, &sourceOffset);
        Write(buffer.data(), piece);
        if (progress)
            progress->Moved(static_cast<std::int64_t>(piece));
        size -= piece;
    }
}

int CreateFolders(const std::string& name, std::string& failed)
{
    if (name.empty() || FolderExists(name))
        return 0;
    std::string parent = FolderPart(name, kNativeSeparator);
    while (parent.size() > 1 && parent.back() == kNativeSeparator)
        parent.pop_back();
    if (parent.size() < name.size() && !parent.empty())
        if (const int err = CreateFolders(parent, failed))
            return err;
    const int err = MakeFolder(name);
    if (err != 0)
        failed = name;
    return err;
}

}  // namespace mw
