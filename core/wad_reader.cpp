#include <cstring>
#include <new>

#include "core/archive_lock.h"
#include "core/errors.h"
#include "core/file.h"
#include "core/wad.h"

namespace mw {
namespace {

// The tables and buffers of the archive at path.
template <typename Sizer>
void Allocate(const std::string& path, Sizer&& sizer)
{
    try {
        sizer();
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(path);
    } catch (const std::length_error&) {
        throw OutOfMemoryError(path);
    }
}

// A fault of the count or the directory, which no single entry causes.
ArchiveFault WholeFileFault(ArchiveFault::Kind kind, std::int64_t number)
{
    return {kind, number, -1, {}};
}

// Stays open in the payloads: the writer copies untouched bytes from this
// file, whatever takes its name meanwhile.
void LoadOpened(const std::shared_ptr<File>& archive, const std::string& fileName, WadImage& image)
{
    image.EntryCount = ReadWadDirectory(*archive, image.Entries);
    const std::int64_t length = archive->Length();
    const auto name = std::make_shared<const std::string>(fileName);
    Allocate(fileName, [&] { image.Payloads.assign(image.Entries.size(), Payload()); });
    for (std::size_t i = 0; i < image.Entries.size(); ++i) {
        const WadEntry& entry = image.Entries[i];
        CheckWadPayload(entry, static_cast<std::int32_t>(i), length, fileName);
        image.Payloads[i] = Payload::Stretch(archive, name, entry.Offset, entry.Size);
    }
}

}  // namespace

std::string_view EntryName(const WadEntry& entry)
{
    const void* nul = std::memchr(entry.Name, 0, kNameFieldSize);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - entry.Name)
                                   : kNameFieldSize;
    return {entry.Name, length};
}

void SetEntryName(WadEntry& entry, std::string_view name)
{
    if (name.size() > kNameFieldSize)
        throw RangeError();
    std::memset(entry.Name, 0, kNameFieldSize);
    std::memcpy(entry.Name, name.data(), name.size());
}

std::int32_t ReadWadDirectory(File& archive, std::vector<WadEntry>& entries)
{
    using Kind = ArchiveFault::Kind;
    const std::int64_t length = archive.Length();
    if (length < kCountSize)
        throw IoError(io_code::ShortRead, archive.Name(),
                      WholeFileFault(length == 0 ? Kind::Empty : Kind::ShortCount, length));
    std::int32_t count = 0;
    archive.Read(&count, sizeof count);
    if (count < 0)
        throw RangeError(archive.Name(), WholeFileFault(Kind::NegativeCount, count));
    if (kRecordSize * count > kLargestDirectoryBytes)
        throw RangeError(archive.Name(), WholeFileFault(Kind::CountTooLarge, count));
    if (DirectoryEnd(count) > length)
        throw IoError(io_code::ShortRead, archive.Name(), WholeFileFault(Kind::DirectoryPastEnd, count));
    Allocate(archive.Name(), [&] { entries.assign(static_cast<std::size_t>(count), WadEntry{}); });
    archive.Read(entries.data(), entries.size() * sizeof(WadEntry));
    return count;
}

std::optional<ArchiveFault> PayloadFault(const WadEntry& entry, std::int32_t index, std::int64_t fileLength)
{
    using Kind = ArchiveFault::Kind;
    std::optional<Kind> kind;
    if (entry.Offset < 0)
        kind = Kind::EntryBeforeStart;
    else if (entry.Size < 0)
        kind = Kind::NegativeSize;
    else if (entry.Size > 0 && std::int64_t{entry.Offset} + entry.Size > fileLength)
        kind = Kind::EntryPastEnd;
    if (!kind)
        return std::nullopt;
    return ArchiveFault{*kind, 0, index, std::string(EntryName(entry))};
}

void CheckWadPayload(const WadEntry& entry, std::int32_t index, std::int64_t fileLength, const std::string& path)
{
    if (std::optional<ArchiveFault> fault = PayloadFault(entry, index, fileLength)) {
        const bool seek = fault->kind == ArchiveFault::Kind::EntryBeforeStart;
        throw IoError(seek ? io_code::NegativeSeek : io_code::ShortRead, path, std::move(*fault));
    }
}

void ReadWadPayload(File& archive, const WadEntry& entry, std::int32_t index, std::string& payload)
{
    CheckWadPayload(entry, index, archive.Length(), archive.Name());
    archive.Seek(entry.Offset);
    Allocate(archive.Name(), [&] { payload.resize(static_cast<std::size_t>(entry.Size)); });
    archive.Read(payload.data(), payload.size());
}

void LoadWad(const std::string& fileName, WadImage& image)
{
    LoadOpened(std::make_shared<File>(fileName, OpenMode::Reading), fileName, image);
}

void LoadWad(const ArchiveLock& archive, WadImage& image)
{
    LoadOpened(archive.archive(), archive.fileName(), image);
}

}  // namespace mw
