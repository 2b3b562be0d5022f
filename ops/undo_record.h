// An update's undo record: what the update did, for the history, and how to
// give the archive back byte for byte as it was before the update, from the
// archive as the update left it. Only what the updated archive does not
// hold is stored: the old directory (less the names the updated directory
// holds at the same place), and the old file's bytes that no unchanged
// stretch of the updated archive holds: replaced entries' old bytes, gaps,
// trailing bytes. A create that replaced an archive keeps the old archive
// whole instead, in a file of its own beside the record (a hard link where
// the store's file system allows): its record's plan is that file alone.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/file_stamp.h"
#include "core/wad.h"

namespace mw {

enum class UndoOrigin : std::uint8_t { Update, TrackBatch, AutoInstall, ContentsEdit, Create };

// What the history shows of a record.
struct UndoSummary {
    std::int64_t time = 0;    // when the update ran, in nanoseconds since 1970
    std::uint64_t group = 0;  // shared by the records that are undone as one; 0: none
    UndoOrigin origin = UndoOrigin::Update;
    std::string archive;  // the archive's canonical path
    std::string source;   // the update's source, as an absolute path
    std::vector<std::string> replaced;  // entry names, in the update's order
    std::vector<std::string> appended;
};

// A stretch of the old archive. The pieces follow one another from the end
// of the old directory to the end of the old file; a Kept piece, the one
// piece of its plan, is the whole old file from its first byte.
struct UndoPiece {
    enum class Kind : std::uint8_t { InArchive, Stored, Kept };
    Kind kind;
    std::int64_t length;
    std::int64_t from;  // its offset in the updated archive, the record's stored bytes or the kept archive

    friend bool operator==(const UndoPiece&, const UndoPiece&) = default;
};

// How the old archive is put together again, and what the updated archive
// must be for that to give it back.
struct UndoPlan {
    FileStamp before;  // the old archive
    FileStamp after;   // the updated archive
    std::uint64_t afterChecksum = 0;  // UndoChecksum of the updated archive
    std::int32_t afterCount = 0;      // the updated archive's entry count
    std::vector<WadEntry> directory;  // the old directory; none when the old archive is kept whole
    std::vector<UndoPiece> pieces;
    std::uint64_t keptChecksum = 0;  // of the kept archive's bytes (XXH3)

    // Whether the old archive is kept whole beside the record.
    bool KeepsWhole() const { return pieces.size() == 1 && pieces.front().kind == UndoPiece::Kind::Kept; }
};

// The plan of an archive kept whole: its stamp and checksum, and the
// archive written in its place, whose directory holds afterCount entries.
UndoPlan KeptArchivePlan(const FileStamp& kept, std::uint64_t keptChecksum, File& written, std::int32_t afterCount);

// Writes the record into out, a file created for it (for reading and
// writing), whole and flushed: its checksums last. Names of the plan's
// directory that after (the updated directory) holds at the same index are
// left out; stored pieces are copied from loaded, the old archive, at their
// places in it.
void WriteUndoRecord(File& out, const UndoSummary& summary, const UndoPlan& plan,
                     std::span<const WadEntry> after, File& loaded);

// The readers take any bytes: a file that is no sound record raises an
// AppError naming it ("Sorry but this undo record is damaged: "), and no
// table or text is sized by a count or length that the file's own length
// cannot hold. A record keeps a checksum of its summary and plan and one of
// its stored bytes; records written before those were kept have none and
// are read on their structure alone.

// A record read for its summary, its checksum checked.
UndoSummary ReadUndoSummary(File& record);

enum class UndoRecordCheck {
    Head,   // the summary and the plan, which choosing a record needs
    Whole,  // the stored bytes too, before an undo copies them back
};

// A record read whole and kept open for its stored bytes.
struct OpenedUndoRecord {
    UndoSummary summary;
    UndoPlan plan;
    File file;
    std::int64_t storedAt = 0;  // where the stored bytes begin in the file

    // Puts the names the record left out into the plan's directory, from
    // the updated archive's directory.
    void TakeNames(std::span<const WadEntry> after);
    // The kept archive of a plan that keeps one, opened for its bytes and
    // checked: its size, and with check Whole its checksum. A mismatch
    // raises the AppError naming the record as damaged.
    void TakeKept(File opened, UndoRecordCheck check);

    File kept;
    std::vector<std::int32_t> namesFromArchive;
};
OpenedUndoRecord ReadUndoRecord(File record, UndoRecordCheck check);

// Raises the AppError that names a damaged record.
[[noreturn]] void ThrowDamagedRecord(const std::string& path);

}  // namespace mw
