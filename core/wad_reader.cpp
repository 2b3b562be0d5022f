#include <cstring>
#include <limits>
#include <new>

#include "core/errors.h"
#include "core/file.h"
#include "core/wad.h"

namespace mw {
namespace {

// A table of 2 GiB or more cannot be indexed by the signed 32-bit count.
constexpr std::int64_t kLargestTableBytes = std::numeric_limits<std::int32_t>::max();

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
    std::int32_t count = 0;
    archive.Read(&count, sizeof count);
    if (count < 0 || kRecordSize * count > kLargestTableBytes)
        throw RangeError(archive.Name());
    if (DirectoryEnd(count) > archive.Length())
        throw IoError(io_code::ShortRead, archive.Name());
    Allocate(archive.Name(), [&] { entries.assign(static_cast<std::size_t>(count), WadEntry{}); });
    archive.Read(entries.data(), entries.size() * sizeof(WadEntry));
    return count;
}

void CheckWadPayload(const WadEntry& entry, std::int64_t fileLength, const std::string& path)
{
    if (entry.Offset < 0)
        throw IoError(io_code::NegativeSeek, path);
    if (entry.Size < 0)
        throw IoError(io_code::ShortRead, path);
    if (entry.Size > 0 && std::int64_t{entry.Offset} + entry.Size > fileLength)
        throw IoError(io_code::ShortRead, path);
}

void ReadWadPayload(File& archive, const WadEntry& entry, std::string& payload)
{
    archive.Seek(entry.Offset);
    if (entry.Size != 0)
        CheckWadPayload(entry, archive.Length(), archive.Name());
    Allocate(archive.Name(), [&] { payload.resize(static_cast<std::size_t>(entry.Size)); });
    archive.Read(payload.data(), payload.size());
}

void LoadWad(const std::string& fileName, WadImage& image)
{
    // Stays open in the payloads: the writer copies untouched bytes from this
    // file, whatever takes its name meanwhile.
    const auto archive = std::make_shared<File>(fileName, OpenMode::Reading);
    image.EntryCount = ReadWadDirectory(*archive, image.Entries);
    const std::int64_t length = archive->Length();
    const auto name = std::make_shared<const std::string>(fileName);
    Allocate(fileName, [&] { image.Payloads.assign(image.Entries.size(), Payload()); });
    for (std::size_t i = 0; i < image.Entries.size(); ++i) {
        const WadEntry& entry = image.Entries[i];
        CheckWadPayload(entry, length, fileName);
        image.Payloads[i] = Payload::Stretch(archive, name, entry.Offset, entry.Size);
    }
}

}  // namespace mw
