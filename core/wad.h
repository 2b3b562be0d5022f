// The WAD archive: an entry count, a flat directory of 136-byte records and
// the entries' bytes, every integer 32-bit little-endian and signed.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/payload.h"

namespace mw {

class ArchiveLock;
class ByteProgress;
class File;

static_assert(std::endian::native == std::endian::little,
              "directory records are read and written as they stand in memory");

inline constexpr std::size_t kNameFieldSize = 128;

// One directory record, byte for byte as in the file.
struct WadEntry {
    char Name[kNameFieldSize];  // the name ends at the first NUL, or fills all 128 bytes
    std::int32_t Offset;
    std::int32_t Size;
};
static_assert(sizeof(WadEntry) == 136, "a directory record is 136 bytes");

inline constexpr std::int64_t kRecordSize = sizeof(WadEntry);
inline constexpr std::int64_t kCountSize = 4;
// The largest directory table a reader takes: a table of 2 GiB or more
// cannot be indexed by the signed 32-bit count.
inline constexpr std::int64_t kLargestDirectoryBytes = 0x7FFFFFFF;

// The first byte after the directory of an archive of count entries.
constexpr std::int64_t DirectoryEnd(std::int64_t count)
{
    return kCountSize + kRecordSize * count;
}

// The name an entry's field holds: the bytes before the first NUL.
std::string_view EntryName(const WadEntry& entry);
// Puts a name into a cleared field; the name must fit in 128 bytes.
void SetEntryName(WadEntry& entry, std::string_view name);

// The archive in memory. Payloads[i] holds the bytes of Entries[i], or
// where to find them.
struct WadImage {
    std::int32_t EntryCount = 0;
    std::vector<WadEntry> Entries;
    std::vector<Payload> Payloads;
};

// Reads the count and the records (in one read) from an archive positioned
// at its start.
// A negative count, or one whose table would take 2 GiB or more, raises the
// range error; a file too short for the count, or a directory that runs past
// the end of the file, raises "Lecture au-delà de la fin de fichier" before
// the table is allocated. The error carries the fault it found.
std::int32_t ReadWadDirectory(File& archive, std::vector<WadEntry>& entries);

// What keeps entry index from being read from a file of fileLength bytes:
// an Offset below zero, a Size below zero or bytes past the end; nothing
// when it can be read.
std::optional<ArchiveFault> PayloadFault(const WadEntry& entry, std::int32_t index, std::int64_t fileLength);

// The checks a read of an entry's bytes makes, without reading them: a
// negative Offset fails as its seek ("Erreur E/S 131"), a negative Size or
// one past the end of a file of fileLength bytes as a short read; the error
// names path and carries the fault.
void CheckWadPayload(const WadEntry& entry, std::int32_t index, std::int64_t fileLength, const std::string& path);

// Reads the bytes of entry index; a payload that runs past the end of the
// file raises "Lecture au-delà de la fin de fichier" before its buffer is
// allocated.
void ReadWadPayload(File& archive, const WadEntry& entry, std::int32_t index, std::string& payload);

// Loads a whole archive, opened in reading mode, into the image. Every
// payload is checked against the file (a negative offset, a negative size
// or one past the end fails as its read would) and kept as a stretch of the
// archive, which the writer copies when it writes the image back. The
// stretches read the file this load opened, which stays open until the
// image lets them go, whatever takes the archive's name meanwhile.
void LoadWad(const std::string& fileName, WadImage& image);
// The same, from the archive an update holds locked.
void LoadWad(const ArchiveLock& archive, WadImage& image);

// Writes the first count entries and payloads of the image as an archive:
// the count and the directory, then each payload at its Offset in table
// order (a later write wins where payloads overlap).
// The archive is written to a temporary file beside the target (unnamed
// where the file system allows, mode 0600), flushed, given the target's mode,
// owner and extended attributes, and renamed over it: a failure, or SIGINT,
// SIGTERM, SIGHUP, SIGPIPE or SIGXFSZ, at any step leaves the old archive as
// it was and no temporary file. A target that exists and is not a regular
// file is refused before anything is written. The target's links are followed by the kernel as it opens
// the path; the file it reaches is the one replaced. A progress hears of
// every byte written: WrittenBytes(image, count) in all.
void RebuildWad(const std::string& fileName, const WadImage& image, std::int32_t count,
                ByteProgress* progress = nullptr);
// Hears of a new archive once it is complete in its temporary file, just
// before it takes the old one's place (an update keeps its undo record
// then); an error it throws leaves the old archive where it is.
class BeforeCommit {
public:
    virtual void Complete(File& written) = 0;

protected:
    ~BeforeCommit() = default;
};

// The same over the archive an update holds locked. Just before the rename
// the path must still name the locked file, unchanged since it was locked;
// when another program replaced or changed it, the write is refused with an
// AppError naming the archive, and the file at the path stays as it is.
void RebuildWad(const ArchiveLock& archive, const WadImage& image, std::int32_t count,
                ByteProgress* progress = nullptr, BeforeCommit* beforeCommit = nullptr);

// Writes the count and the first count records of entries at out's
// position, as they begin an archive, straight from the table.
void WriteDirectory(File& out, const std::vector<WadEntry>& entries, std::int32_t count);

// The bytes that entries hold, a negative size counting as none.
std::int64_t PayloadTotal(std::span<const WadEntry> entries);
// The bytes RebuildWad writes for the first count entries of the image.
std::int64_t WrittenBytes(const WadImage& image, std::int32_t count);

// The marker in the names of the temporary files RebuildWad writes.
inline constexpr std::string_view kTemporaryMarker = ".mendwright-tmp-";

}  // namespace mw
