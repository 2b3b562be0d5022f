#include "ops/undo_record.h"

#include <cstring>
#include <filesystem>
#include <limits>
#include <string_view>

#include "core/durable_rename.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/path_text.h"

namespace mw {
namespace {

// A record begins with this, then the summary and the plan, each after its
// length, then the stored bytes up to the end of the file. Integers are
// little-endian, as the archives' own.
constexpr std::string_view kMagic = "MWUNDO1\n";
constexpr const char* kDamagedPrefix = "Sorry but this undo record is damaged: ";
constexpr std::size_t kPieceBytes = 1 + 8 + 8;

void CheckSound(bool sound, const std::string& path)
{
    if (!sound)
        throw AppError(kDamagedPrefix + PrintableText(path));
}

class ByteWriter {
public:
    template <typename T>
    void Put(T value)
    {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void PutText(std::string_view text)
    {
        Put(static_cast<std::uint32_t>(text.size()));
        bytes_.append(text);
    }
    void PutTexts(const std::vector<std::string>& texts)
    {
        Put(static_cast<std::uint64_t>(texts.size()));
        for (const std::string& text : texts)
            PutText(text);
    }
    void PutStamp(const FileStamp& stamp)
    {
        Put(stamp.size);
        Put(stamp.modifiedSeconds);
        Put(stamp.modifiedNanoseconds);
    }
    void PutBytes(const void* data, std::size_t size) { bytes_.append(static_cast<const char*>(data), size); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads what ByteWriter wrote; anything short or out of range is a damaged
// record, found before any table is sized by it.
class ByteReader {
public:
    ByteReader(std::string_view bytes, const std::string& path) : bytes_(bytes), path_(path) {}

    template <typename T>
    T Get()
    {
        T value;
        std::memcpy(&value, Take(sizeof value), sizeof value);
        return value;
    }
    std::string GetText()
    {
        const auto size = Get<std::uint32_t>();
        return std::string(Take(size), size);
    }
    std::vector<std::string> GetTexts()
    {
        std::vector<std::string> texts(GetCount(sizeof(std::uint32_t)));
        for (std::string& text : texts)
            text = GetText();
        return texts;
    }
    FileStamp GetStamp()
    {
        FileStamp stamp;
        stamp.size = Get<std::int64_t>();
        stamp.modifiedSeconds = Get<std::int64_t>();
        stamp.modifiedNanoseconds = Get<std::int64_t>();
        return stamp;
    }
    const char* Take(std::size_t size)
    {
        Check(size <= bytes_.size() - at_);
        const char* data = bytes_.data() + at_;
        at_ += size;
        return data;
    }
    // A count of items of at least itemSize bytes each, which the rest must hold.
    std::size_t GetCount(std::size_t itemSize)
    {
        const auto count = Get<std::uint64_t>();
        Check(count <= (bytes_.size() - at_) / itemSize);
        return static_cast<std::size_t>(count);
    }
    void Check(bool sound) const { CheckSound(sound, path_); }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    const std::string& path_;
    std::size_t at_ = 0;
};

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
    in.Check(origin <= static_cast<std::uint8_t>(UndoOrigin::ContentsEdit));
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
    out.PutStamp(plan.before);
    out.PutStamp(plan.after);
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
    return out.bytes();
}

// The pieces must cover the old file behind its directory exactly, and lie
// inside the updated archive or the stored bytes.
void CheckPieces(const ByteReader& in, const UndoPlan& plan, std::int64_t storedBytes)
{
    std::int64_t covered = 0;
    for (const UndoPiece& piece : plan.pieces) {
        const std::int64_t limit = piece.kind == UndoPiece::Kind::Stored ? storedBytes : plan.after.size;
        in.Check(piece.length > 0 && piece.from >= 0 && piece.from <= limit - piece.length);
        covered += piece.length;
    }
    in.Check(covered == plan.before.size - DirectoryEnd(static_cast<std::int64_t>(plan.directory.size())));
}

void ParsePlan(ByteReader& in, OpenedUndoRecord& record, std::int64_t storedBytes)
{
    UndoPlan& plan = record.plan;
    plan.before = in.GetStamp();
    plan.after = in.GetStamp();
    plan.afterChecksum = in.Get<std::uint64_t>();
    plan.afterCount = in.Get<std::int32_t>();
    in.Check(plan.afterCount >= 0 && DirectoryEnd(plan.afterCount) <= plan.after.size);
    plan.directory.assign(in.GetCount(2 * sizeof(std::int32_t)), WadEntry{});
    in.Check(plan.directory.size() <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
    in.Check(DirectoryEnd(static_cast<std::int64_t>(plan.directory.size())) <= plan.before.size);
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
        in.Check(kind <= static_cast<std::uint8_t>(UndoPiece::Kind::Stored));
        piece.kind = static_cast<UndoPiece::Kind>(kind);
        piece.length = in.Get<std::int64_t>();
        piece.from = in.Get<std::int64_t>();
    }
    in.Check(in.AtEnd());
    CheckPieces(in, plan, storedBytes);
}

// Reads a length-prefixed block of the record, refused when the file cannot hold it.
template <typename Length>
std::string ReadBlock(File& file, const std::string& path, std::int64_t& at, std::int64_t fileLength)
{
    CheckSound(fileLength - at >= static_cast<std::int64_t>(sizeof(Length)), path);
    Length length;
    file.Read(&length, sizeof length);
    at += static_cast<std::int64_t>(sizeof length);
    CheckSound(length <= static_cast<std::uint64_t>(fileLength - at), path);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    file.Read(bytes.data(), bytes.size());
    at += static_cast<std::int64_t>(length);
    return bytes;
}

// Opens a record and checks its magic; at is left behind it.
File OpenRecord(const std::string& path, std::int64_t& at, std::int64_t& length)
{
    File file(path, OpenMode::ReadOnly);
    length = file.Length();
    char magic[kMagic.size()];
    CheckSound(length >= static_cast<std::int64_t>(sizeof magic), path);
    file.Read(magic, sizeof magic);
    CheckSound(std::string_view(magic, sizeof magic) == kMagic, path);
    at = static_cast<std::int64_t>(sizeof magic);
    return file;
}

// Removes the partly written record unless it was renamed into place.
class PartialRecord {
public:
    explicit PartialRecord(std::string path) : path_(std::move(path)) {}
    ~PartialRecord()
    {
        std::error_code ignored;
        if (!done_)
            std::filesystem::remove(FileSystemPath(path_), ignored);
    }
    PartialRecord(const PartialRecord&) = delete;
    PartialRecord& operator=(const PartialRecord&) = delete;
    const std::string& path() const { return path_; }
    void Done() { done_ = true; }

private:
    std::string path_;
    bool done_ = false;
};

}  // namespace

void WriteUndoRecord(const std::string& path, const UndoSummary& summary, const UndoPlan& plan,
                     std::span<const WadEntry> after, File& loaded)
{
    PartialRecord partial(path + ".partial");
    File out(partial.path(), OpenMode::Writing);
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
    std::int64_t oldAt = DirectoryEnd(static_cast<std::int64_t>(plan.directory.size()));
    for (const UndoPiece& piece : plan.pieces) {
        if (piece.kind == UndoPiece::Kind::Stored)
            out.CopyFrom(loaded, oldAt, storedAt + piece.from, piece.length);
        oldAt += piece.length;
    }
    out.Sync();
    out.Close();
    RenameDurably(partial.path(), path);
    partial.Done();
}

UndoSummary ReadUndoSummary(const std::string& path)
{
    std::int64_t at = 0, length = 0;
    File file = OpenRecord(path, at, length);
    const std::string bytes = ReadBlock<std::uint32_t>(file, path, at, length);
    ByteReader in(bytes, path);
    UndoSummary summary = ParseSummary(in);
    in.Check(in.AtEnd());
    file.Close();
    return summary;
}

OpenedUndoRecord OpenUndoRecord(const std::string& path)
{
    OpenedUndoRecord record;
    std::int64_t at = 0, length = 0;
    record.file = OpenRecord(path, at, length);
    const std::string summaryBytes = ReadBlock<std::uint32_t>(record.file, path, at, length);
    ByteReader summary(summaryBytes, path);
    record.summary = ParseSummary(summary);
    summary.Check(summary.AtEnd());
    const std::string planBytes = ReadBlock<std::uint64_t>(record.file, path, at, length);
    record.storedAt = at;
    ByteReader plan(planBytes, path);
    ParsePlan(plan, record, length - at);
    return record;
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
