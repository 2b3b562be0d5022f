#include "ops/undo_store.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>

#include "core/content_hash.h"
#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/path_text.h"
#include "core/user_data_folder.h"

namespace fs = std::filesystem;

namespace mw {
namespace {

constexpr const char* kRecordExtension = ".undo";
constexpr const char* kPartialExtension = ".partial";
constexpr const char* kKeptExtension = ".kept";

// FNV-1a: stable from one build and one machine to the next, unlike std::hash.
std::uint64_t PathHash(const std::string& path)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string RecordName(std::int64_t time, std::uint64_t group)
{
    char name[64];
    std::snprintf(name, sizeof name, "%020" PRId64 "-%016" PRIx64 "%s", time, group, kRecordExtension);
    return name;
}

// The time and group a record's name carries; false for any other name,
// a number out of range included.
bool ParseRecordName(std::string_view name, std::int64_t& time, std::uint64_t& group)
{
    const std::string_view extension = kRecordExtension;
    if (name.size() != 20 + 1 + 16 + extension.size() || name[20] != '-' || !name.ends_with(extension))
        return false;
    const std::string_view digits = name.substr(0, 20), hex = name.substr(21, 16);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos ||
        hex.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return false;
    std::uint64_t nanoseconds = 0;
    const auto [digitsEnd, digitsError] = std::from_chars(digits.data(), digits.data() + digits.size(), nanoseconds);
    const auto [hexEnd, hexError] = std::from_chars(hex.data(), hex.data() + hex.size(), group, 16);
    if (digitsError != std::errc() || hexError != std::errc() ||
        nanoseconds > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    time = static_cast<std::int64_t>(nanoseconds);
    return true;
}

// A record that an update was writing when it ended: a record's name and
// the partial extension.
bool IsPartialRecord(std::string_view name)
{
    const std::string_view extension = kPartialExtension;
    std::int64_t time = 0;
    std::uint64_t group = 0;
    return name.ends_with(extension) && ParseRecordName(name.substr(0, name.size() - extension.size()), time, group);
}

// The name of the archive a record keeps whole.
std::string KeptName(const std::string& recordName)
{
    return recordName.substr(0, recordName.size() - std::strlen(kRecordExtension)) + kKeptExtension;
}

// Removes the partly written record unless it was renamed into place.
class PartialRecord {
public:
    PartialRecord(const PrivateFolder& folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    ~PartialRecord()
    {
        if (!done_)
            folder_.Remove(name_);
    }
    PartialRecord(const PartialRecord&) = delete;
    PartialRecord& operator=(const PartialRecord&) = delete;
    const std::string& name() const { return name_; }
    void Done() { done_ = true; }

private:
    const PrivateFolder& folder_;
    std::string name_;
    bool done_ = false;
};

std::string ArchiveFolderName(const std::string& canonicalArchive)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, PathHash(canonicalArchive));
    return name;
}

}  // namespace

std::string DefaultUndoFolder()
{
    const std::string data = UserDataFolder();
    if (data.empty())
        return {};
    return data + kNativeSeparator + "mendwright" + kNativeSeparator + "undo";
}

std::string CanonicalArchivePath(const std::string& archive)
{
    std::error_code error;
    const fs::path canonical = fs::canonical(FileSystemPath(archive), error);
    if (!error)
        return PathText(canonical);
    return PathText(fs::absolute(FileSystemPath(archive), error).lexically_normal());
}

PrivateFolder UndoStore::ArchiveFolder(const std::string& name) const
{
    return folder_.empty() ? PrivateFolder() : PrivateFolder::Open(folder_).Child(name);
}

std::vector<UndoRecordFile> UndoStore::RecordsIn(const PrivateFolder& folder, const std::string& name) const
{
    std::vector<UndoRecordFile> records;
    if (!folder.IsOpen())
        return records;
    const std::vector<PrivateFolder::Entry> entries = folder.Entries();
    std::map<std::string, std::int64_t> keptBytes;
    for (const PrivateFolder::Entry& entry : entries)
        if (entry.kind == EntryKind::File && entry.name.ends_with(kKeptExtension))
            keptBytes[entry.name] = entry.size;
    for (const PrivateFolder::Entry& entry : entries) {
        UndoRecordFile record;
        if (entry.kind != EntryKind::File || !ParseRecordName(entry.name, record.time, record.group))
            continue;
        record.folder = name;
        record.name = entry.name;
        record.path = folder.PathOf(entry.name);
        const auto kept = keptBytes.find(KeptName(entry.name));
        record.bytes = entry.size + (kept == keptBytes.end() ? 0 : kept->second);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<UndoRecordFile> UndoStore::AllRecords() const
{
    std::vector<UndoRecordFile> records;
    if (folder_.empty())
        return records;
    const PrivateFolder store = PrivateFolder::Open(folder_);
    if (!store.IsOpen())
        return records;
    for (const PrivateFolder::Entry& entry : store.Entries()) {
        if (entry.kind != EntryKind::Folder)
            continue;
        std::vector<UndoRecordFile> more = RecordsIn(store.Child(entry.name), entry.name);
        records.insert(records.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return records;
}

std::vector<UndoRecordFile> UndoStore::RecordsOf(const std::string& canonicalArchive) const
{
    const std::string name = ArchiveFolderName(canonicalArchive);
    std::vector<UndoRecordFile> records = RecordsIn(ArchiveFolder(name), name);
    std::sort(records.begin(), records.end(),
              [](const UndoRecordFile& a, const UndoRecordFile& b) { return a.time > b.time; });
    return records;
}

std::vector<UndoRecordFile> UndoStore::RecordsOfGroup(std::uint64_t group) const
{
    std::vector<UndoRecordFile> records = AllRecords();
    std::erase_if(records, [&](const UndoRecordFile& record) { return record.group != group; });
    return records;
}

File UndoStore::Open(const UndoRecordFile& record) const
{
    const PrivateFolder folder = ArchiveFolder(record.folder);
    if (!folder.IsOpen())
        throw IoError(io_code::PathNotFound, record.path);
    return folder.OpenToRead(record.name);
}

OpenedUndoRecord UndoStore::Read(const UndoRecordFile& record, UndoRecordCheck check) const
{
    OpenedUndoRecord opened = ReadUndoRecord(Open(record), check);
    if (opened.plan.KeepsWhole()) {
        File kept;
        try {
            kept = ArchiveFolder(record.folder).OpenToRead(KeptName(record.name));
        } catch (const IoError&) {
            ThrowDamagedRecord(record.path);  // the archive it keeps is gone
        }
        opened.TakeKept(std::move(kept), check);
    }
    return opened;
}

UndoSummary UndoStore::ReadSummary(const UndoRecordFile& record) const
{
    File file = Open(record);
    UndoSummary summary = ReadUndoSummary(file);
    file.Close();
    return summary;
}

UndoRecordFile UndoStore::NewRecord(const std::string& canonicalArchive, std::int64_t time,
                                    std::uint64_t group) const
{
    UndoRecordFile record;
    record.folder = ArchiveFolderName(canonicalArchive);
    const PrivateFolder folder = PrivateFolder::Make(folder_).MakeChild(record.folder);
    const std::vector<PrivateFolder::Entry> entries = folder.Entries();
    for (const PrivateFolder::Entry& entry : entries)
        if (IsPartialRecord(entry.name))
            folder.Remove(entry.name);
    const std::vector<UndoRecordFile> records = RecordsIn(folder, record.folder);
    // A kept archive whose record never came: its create ended before.
    for (const PrivateFolder::Entry& entry : entries)
        if (entry.name.ends_with(kKeptExtension) &&
            std::none_of(records.begin(), records.end(),
                         [&](const UndoRecordFile& other) { return KeptName(other.name) == entry.name; }))
            folder.Remove(entry.name);
    for (const UndoRecordFile& other : records) {
        // A name no later time follows: only damage gives one.
        if (other.time == std::numeric_limits<std::int64_t>::max())
            ThrowDamagedRecord(other.path);
        time = std::max(time, other.time + 1);
    }
    record.time = time;
    record.group = group;
    record.name = RecordName(time, group);
    record.path = folder.PathOf(record.name);
    return record;
}

void UndoStore::Write(const UndoRecordFile& record, const std::function<void(File&)>& write) const
{
    const PrivateFolder folder = PrivateFolder::Make(folder_).MakeChild(record.folder);
    PartialRecord partial(folder, record.name + kPartialExtension);
    File out = folder.Create(partial.name());
    write(out);
    out.Close();
    folder.Rename(partial.name(), record.name);
    partial.Done();
}

void UndoStore::Trim(const std::string& keep, std::uint64_t keepGroup, std::int64_t otherBytes) const
{
    std::vector<UndoRecordFile> records = AllRecords();
    std::int64_t total = otherBytes;
    for (const UndoRecordFile& record : records)
        total += record.bytes;
    if (total <= cap_)
        return;
    // A group goes whole, when its oldest record is the oldest left.
    std::sort(records.begin(), records.end(),
              [](const UndoRecordFile& a, const UndoRecordFile& b) { return a.time < b.time; });
    std::map<std::uint64_t, std::int64_t> groupBytes;
    for (const UndoRecordFile& record : records)
        if (record.group != 0)
            groupBytes[record.group] += record.bytes;
    for (const UndoRecordFile& record : records) {
        if (total <= cap_)
            break;
        if (record.path == keep || (keepGroup != 0 && record.group == keepGroup))
            continue;
        if (record.group == 0) {
            Remove(record);
            total -= record.bytes;
        } else if (groupBytes.count(record.group) != 0) {
            for (const UndoRecordFile& member : records)
                if (member.group == record.group)
                    Remove(member);
            total -= groupBytes[record.group];
            groupBytes.erase(record.group);
        }
    }
}

std::optional<std::uint64_t> UndoStore::KeepWhole(const UndoRecordFile& record, File& archive) const
{
    const PrivateFolder folder = PrivateFolder::Make(folder_).MakeChild(record.folder);
    const std::string name = KeptName(record.name);
    folder.Remove(name);
    const std::int64_t size = archive.Length();
    if (!folder.LinkTo(archive, name)) {
        if (size > cap_)
            return std::nullopt;
        File copy = folder.Create(name);
        copy.CopyFrom(archive, 0, 0, size);
        copy.Sync();
        copy.Close();
    }
    // The checksum of what the store holds, read back.
    File kept = folder.OpenToRead(name);
    const std::uint64_t checksum = HashOfFileBytes(kept, 0, size);
    kept.Close();
    return checksum;
}

void UndoStore::Remove(const UndoRecordFile& record) const noexcept
{
    try {
        const PrivateFolder folder = ArchiveFolder(record.folder);
        folder.Remove(record.name);
        folder.Remove(KeptName(record.name));
    } catch (const std::exception&) {
        // Out of memory for a path: the record stays, as one that cannot be removed does.
    }
}

}  // namespace mw
