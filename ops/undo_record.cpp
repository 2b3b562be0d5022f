#include "ops/undo_record.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "core/content_hash.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "ops/byte_codec.h"
#include "ops/undo_checksum.h"

namespace mw {
namespace {

// A record begins with this, then the summary and the plan, each after its
// length, then the stored bytes, then the checksums (XXH3) of the summary,
// the plan and the stored bytes, written last. Integers are little-endian,
// as the archives' own.
constexpr std::string_view kMagic = "MWUNDO2\n";
// Records written before the checksums were kept: the same without them.
constexpr std::string_view kUncheckedMagic = "MWUNDO1\n";
constexpr std::int64_t kChecksumBytes = 3 * sizeof(std::uint64_t);
constexpr const char* kDamagedPrefix = "Sorry but this undo record is damaged: ";
constexpr std::size_t kPieceBytes = 1 + 8 + 8;

void CheckSound(bool sound, const std::string& path)
{
    if (!sound)
        ThrowDamagedRecord(path);
}

void PutStamp(ByteWriter& out, const FileStamp& stamp)
{
    out.Put(stamp.size);
    out.Put(stamp.modifiedSeconds);
    out.Put(stamp.modifiedNanoseconds);
}

FileStamp GetStamp(ByteReader& in)
{
    FileStamp stamp;
    stamp.size = in.Get<std::int64_t>();
    stamp.modifiedSeconds = in.Get<std::int64_t>();
    stamp.modifiedNanoseconds = in.Get<std::int64_t>();
    return stamp;
}

std::string SummaryBytes(const UndoSummary& summary)
{
    ByteWriter out;
    out.Put(summary.time);
    out.Put(summary.group);
    out.Put(static_cast<std::uint8_t>(summary.origin));
    out.PutText(summary.archive);
    out.PutText(summary.source);
    out.PutTexts(summary.replaced);
    out.PutTexts(summary.appended);
    return out.bytes();
}

UndoSummary ParseSummary(ByteReader& in)
{
    UndoSummary summary;
    summary.time = in.Get<std::int64_t>();
    summary.group = in.Get<std::uint64_t>();
    const auto origin = in.Get<std::uint8_t>();
    in.Check(origin <= static_cast<std::uint8_t>(UndoOrigin::Create));
    summary.origin = static_cast<UndoOrigin>(origin);
    summary.archive = in.GetText();
    summary.source = in.GetText();
    summary.replaced = in.GetTexts();
    summary.appended = in.GetTexts();
    return summary;
}

// Old names that the updated directory holds at the same index are left
// out: an update renames nothing, so a record holds no names at all.
std::string PlanBytes(const UndoPlan& plan, std::span<const WadEntry> after)
{
    ByteWriter out;
    PutStamp(out, plan.before);
    PutStamp(out, plan.after);
    out.Put(plan.afterChecksum);
    out.Put(plan.afterCount);
    out.Put(static_cast<std::uint64_t>(plan.directory.size()));
    std::vector<std::uint32_t> own;
    for (std::size_t i = 0; i < plan.directory.size(); ++i) {
        const WadEntry& entry = plan.directory[i];
        out.Put(entry.Offset);
        out.Put(entry.Size);
        if (i >= after.size() || std::memcmp(entry.Name, after[i].Name, kNameFieldSize) != 0)
            own.push_back(static_cast<std::uint32_t>(i));
    }
    out.Put(static_cast<std::uint64_t>(own.size()));
    for (const std::uint32_t i : own) {
        out.Put(i);
        out.PutBytes(plan.directory[i].Name, kNameFieldSize);
    }
    out.Put(static_cast<std::uint64_t>(plan.pieces.size()));
    for (const UndoPiece& piece : plan.pieces) {
        out.Put(static_cast<std::uint8_t>(piece.kind));
        out.Put(piece.length);
        out.Put(piece.from);
    }
    // Only a plan that keeps the archive whole has it: older records stay as they were.
    if (plan.KeepsWhole())
        out.Put(plan.keptChecksum);
    return out.bytes();
}

// The pieces must cover the old file behind its directory exactly, and lie
// inside the updated archive or the stored bytes.
void CheckPieces(const ByteReader& in, const UndoPlan& plan, std::int64_t storedBytes)
{
    if (plan.KeepsWhole()) {
        const UndoPiece& whole = plan.pieces.front();
        in.Check(plan.directory.empty() && whole.from == 0 && whole.length == plan.before.size);
        return;
    }
    std::int64_t covered = 0;
    for (const UndoPiece& piece : plan.pieces) {
        in.Check(piece.kind != UndoPiece::Kind::Kept);
        const std::int64_t limit = piece.kind == UndoPiece::Kind::Stored ? storedBytes : plan.after.size;
        in.Check(piece.length > 0 && piece.from >= 0 && piece.from <= limit - piece.length);
        covered += piece.length;
    }
    in.Check(covered == plan.before.size - DirectoryEnd(static_cast<std::int64_t>(plan.directory.size())));
}

void ParsePlan(ByteReader& in, OpenedUndoRecord& record, std::int64_t storedBytes)
{
    UndoPlan& plan = record.plan;
    plan.before = GetStamp(in);
    plan.after = GetStamp(in);
    plan.afterChecksum = in.Get<std::uint64_t>();
    plan.afterCount = in.Get<std::int32_t>();
    in.Check(plan.afterCount >= 0 && DirectoryEnd(plan.afterCount) <= plan.after.size);
    const std::size_t count = in.GetCount(2 * sizeof(std::int32_t));
    // No directory at all: an archive kept whole, which may be shorter than a count.
    in.Check(count <= static_cast<std::size_t>(kLargestDirectoryBytes / kRecordSize) &&
             (count == 0 || DirectoryEnd(static_cast<std::int64_t>(count)) <= plan.before.size));
    plan.directory.assign(count, WadEntry{});
    for (WadEntry& entry : plan.directory) {
        entry.Offset = in.Get<std::int32_t>();
        entry.Size = in.Get<std::int32_t>();
    }
    std::vector<bool> own(plan.directory.size(), false);
    const std::size_t ownCount = in.GetCount(sizeof(std::uint32_t) + kNameFieldSize);
    for (std::size_t n = 0; n < ownCount; ++n) {
        const auto i = in.Get<std::uint32_t>();
        in.Check(i < plan.directory.size());
        std::memcpy(plan.directory[i].Name, in.Take(kNameFieldSize), kNameFieldSize);
        own[i] = true;
    }
    for (std::size_t i = 0; i < own.size(); ++i)
        if (!own[i])
            record.namesFromArchive.push_back(static_cast<std::int32_t>(i));
    plan.pieces.resize(in.GetCount(kPieceBytes));
    for (UndoPiece& piece : plan.pieces) {
        const auto kind = in.Get<std::uint8_t>();
        in.Check(kind <= static_cast<std::uint8_t>(UndoPiece::Kind::Kept));
        piece.kind = static_cast<UndoPiece::Kind>(kind);
        piece.length = in.Get<std::int64_t>();
        piece.from = in.Get<std::int64_t>();
    }
    if (plan.KeepsWhole())
        plan.keptChecksum = in.Get<std::uint64_t>();
    in.Check(in.AtEnd());
    CheckPieces(in, plan, storedBytes);
}

// Where the parts of a record lie in its file, every length checked
// against the file's before anything is read by it.
struct RecordLayout {
    bool checked = false;  // it keeps checksums
    std::int64_t summaryAt = 0, summaryLength = 0;
    std::int64_t planAt = 0, planLength = 0;
    std::int64_t storedAt = 0, storedEnd = 0;
    std::uint64_t summaryChecksum = 0, planChecksum = 0, storedChecksum = 0;
};

template <typename T>
T ReadAt(File& file, std::int64_t at, std::int64_t end)
{
    CheckSound(end - at >= static_cast<std::int64_t>(sizeof(T)), file.Name());
    T value;
    file.Seek(at);
    file.Read(&value, sizeof value);
    return value;
}

RecordLayout ReadLayout(File& file)
{
    const std::string& path = file.Name();
    std::int64_t end = file.Length();
    const auto magic = ReadAt<std::array<char, kMagic.size()>>(file, 0, end);
    const std::string_view found(magic.data(), magic.size());
    RecordLayout layout;
    layout.checked = found == kMagic;
    CheckSound(layout.checked || found == kUncheckedMagic, path);
    if (layout.checked) {
        CheckSound(end - kChecksumBytes >= static_cast<std::int64_t>(kMagic.size()), path);
        end -= kChecksumBytes;
        const auto checksums = ReadAt<std::array<std::uint64_t, 3>>(file, end, end + kChecksumBytes);
        layout.summaryChecksum = checksums[0];
        layout.planChecksum = checksums[1];
        layout.storedChecksum = checksums[2];
    }
    const auto magicSize = static_cast<std::int64_t>(kMagic.size());
    layout.summaryLength = ReadAt<std::uint32_t>(file, magicSize, end);
    layout.summaryAt = magicSize + 4;
    CheckSound(layout.summaryLength <= end - layout.summaryAt, path);
    const std::int64_t planLengthAt = layout.summaryAt + layout.summaryLength;
    const auto planLength = ReadAt<std::uint64_t>(file, planLengthAt, end);
    layout.planAt = planLengthAt + 8;
    CheckSound(planLength <= static_cast<std::uint64_t>(end - layout.planAt), path);
    layout.planLength = static_cast<std::int64_t>(planLength);
    layout.storedAt = layout.planAt + layout.planLength;
    layout.storedEnd = end;
    return layout;
}

// Parsed first, so that a length a damaged record claims is refused before
// its bytes are read; then checked against its checksum, when kept.
void CheckBlock(File& file, const RecordLayout& layout, std::int64_t at, std::int64_t end, std::uint64_t checksum)
{
    if (layout.checked)
        CheckSound(HashOfFileBytes(file, at, end - at) == checksum, file.Name());
}

UndoSummary ReadSummary(File& file, const RecordLayout& layout)
{
    ByteReader in(file, layout.summaryAt, layout.summaryLength, kDamagedPrefix);
    UndoSummary summary = ParseSummary(in);
    in.Check(in.AtEnd());
    CheckBlock(file, layout, layout.summaryAt, layout.summaryAt + layout.summaryLength, layout.summaryChecksum);
    return summary;
}

}  // namespace

void ThrowDamagedRecord(const std::string& path)
{
    throw AppError(kDamagedPrefix + PrintableText(path));
}

void WriteUndoRecord(File& out, const UndoSummary& summary, const UndoPlan& plan,
                     std::span<const WadEntry> after, File& loaded)
{
    ByteWriter head;
    head.PutBytes(kMagic.data(), kMagic.size());
    const std::string summaryBytes = SummaryBytes(summary);
    head.Put(static_cast<std::uint32_t>(summaryBytes.size()));
    head.PutBytes(summaryBytes.data(), summaryBytes.size());
    const std::string planBytes = PlanBytes(plan, after);
    head.Put(static_cast<std::uint64_t>(planBytes.size()));
    head.PutBytes(planBytes.data(), planBytes.size());
    out.Write(head.bytes().data(), head.bytes().size());

    const auto storedAt = static_cast<std::int64_t>(head.bytes().size());
    std::int64_t storedEnd = storedAt;
    std::int64_t oldAt = DirectoryEnd(static_cast<std::int64_t>(plan.directory.size()));
    for (const UndoPiece& piece : plan.pieces) {
        if (piece.kind == UndoPiece::Kind::Stored) {
            out.CopyFrom(loaded, oldAt, storedAt + piece.from, piece.length);
            storedEnd = std::max(storedEnd, storedAt + piece.from + piece.length);
        }
        oldAt += piece.length;
    }
    // The stored bytes are read back as the record holds them.
    ByteWriter checksums;
    checksums.Put(HashOfBytes(summaryBytes));
    checksums.Put(HashOfBytes(planBytes));
    checksums.Put(HashOfFileBytes(out, storedAt, storedEnd - storedAt));
    out.Seek(storedEnd);
    out.Write(checksums.bytes().data(), checksums.bytes().size());
    out.Sync();
}

UndoSummary ReadUndoSummary(File& record)
{
    return ReadSummary(record, ReadLayout(record));
}

OpenedUndoRecord ReadUndoRecord(File file, UndoRecordCheck check)
{
    const RecordLayout layout = ReadLayout(file);
    OpenedUndoRecord record;
    record.summary = ReadSummary(file, layout);
    ByteReader plan(file, layout.planAt, layout.planLength, kDamagedPrefix);
    ParsePlan(plan, record, layout.storedEnd - layout.storedAt);
    CheckBlock(file, layout, layout.planAt, layout.storedAt, layout.planChecksum);
    if (check == UndoRecordCheck::Whole)
        CheckBlock(file, layout, layout.storedAt, layout.storedEnd, layout.storedChecksum);
    record.storedAt = layout.storedAt;
    record.file = std::move(file);
    return record;
}

UndoPlan KeptArchivePlan(const FileStamp& kept, std::uint64_t keptChecksum, File& written, std::int32_t afterCount)
{
    UndoPlan plan;
    plan.before = kept;
    plan.after = StampOf(written);
    plan.afterCount = afterCount;
    plan.pieces = {{UndoPiece::Kind::Kept, kept.size, 0}};
    plan.keptChecksum = keptChecksum;
    plan.afterChecksum = UndoChecksum(written, afterCount, plan.pieces);
    return plan;
}

void OpenedUndoRecord::TakeKept(File opened, UndoRecordCheck check)
{
    CheckSound(opened.Length() == plan.before.size, file.Name());
    if (check == UndoRecordCheck::Whole)
        CheckSound(HashOfFileBytes(opened, 0, plan.before.size) == plan.keptChecksum, file.Name());
    kept = std::move(opened);
}

void OpenedUndoRecord::TakeNames(std::span<const WadEntry> after)
{
    for (const std::int32_t i : namesFromArchive) {
        CheckSound(static_cast<std::size_t>(i) < after.size(), file.Name());
        std::memcpy(plan.directory[static_cast<std::size_t>(i)].Name, after[static_cast<std::size_t>(i)].Name,
                    kNameFieldSize);
    }
}

}  // namespace mw
