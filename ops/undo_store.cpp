#include "ops/undo_store.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <map>

#include "core/errors.h"
#include "core/path_helpers.h"
#include "core/path_text.h"
#include "core/user_data_folder.h"

namespace fs = std::filesystem;

namespace mw {
namespace {

constexpr const char* kRecordExtension = ".undo";
constexpr const char* kPartialExtension = ".partial";

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

// The time and group a record's name carries; false for any other name.
bool ParseRecordName(const std::string& name, std::int64_t& time, std::uint64_t& group)
{
    const std::string extension = kRecordExtension;
    if (name.size() != 20 + 1 + 16 + extension.size() || name[20] != '-' || !name.ends_with(extension))
        return false;
    const std::string digits = name.substr(0, 20), hex = name.substr(21, 16);
    if (digits.find_first_not_of("0123456789") != std::string::npos ||
        hex.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    time = static_cast<std::int64_t>(std::stoull(digits));
    group = std::stoull(hex, nullptr, 16);
    return true;
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

std::string UndoStore::ArchiveFolder(const std::string& canonicalArchive) const
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, PathHash(canonicalArchive));
    return folder_ + kNativeSeparator + name;
}

std::vector<UndoRecordFile> UndoStore::RecordsIn(const std::string& folder)
{
    std::vector<UndoRecordFile> records;
    std::error_code error;
    for (fs::directory_iterator it(FileSystemPath(folder), error), end; !error && it != end; it.increment(error)) {
        UndoRecordFile record;
        if (!ParseRecordName(PathText(it->path().filename()), record.time, record.group))
            continue;
        std::error_code sizeError;
        record.bytes = static_cast<std::int64_t>(it->file_size(sizeError));
        if (sizeError)
            continue;
        record.path = PathText(it->path());
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<UndoRecordFile> UndoStore::AllRecords() const
{
    std::vector<UndoRecordFile> records;
    std::error_code error;
    for (fs::directory_iterator it(FileSystemPath(folder_), error), end; !error && it != end; it.increment(error)) {
        std::vector<UndoRecordFile> more = RecordsIn(PathText(it->path()));
        records.insert(records.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return records;
}

std::vector<UndoRecordFile> UndoStore::RecordsOf(const std::string& canonicalArchive) const
{
    if (folder_.empty())
        return {};
    std::vector<UndoRecordFile> records = RecordsIn(ArchiveFolder(canonicalArchive));
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

std::string UndoStore::NewRecordPath(const std::string& canonicalArchive, std::int64_t time,
                                     std::uint64_t group) const
{
    const std::string folder = ArchiveFolder(canonicalArchive);
    std::error_code error;
    fs::create_directories(FileSystemPath(folder), error);
    if (error)
        ThrowSystemError(error.value(), folder);
    for (fs::directory_iterator it(FileSystemPath(folder), error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->path().extension() == kPartialExtension)
            fs::remove(it->path(), ignored);
    }
    const std::vector<UndoRecordFile> records = RecordsOf(canonicalArchive);
    if (!records.empty())
        time = std::max(time, records.front().time + 1);
    return folder + kNativeSeparator + RecordName(time, group);
}

void UndoStore::Trim(const std::string& keep, std::uint64_t keepGroup) const
{
    std::vector<UndoRecordFile> records = AllRecords();
    std::int64_t total = 0;
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
            Remove(record.path);
            total -= record.bytes;
        } else if (groupBytes.count(record.group) != 0) {
            for (const UndoRecordFile& member : records)
                if (member.group == record.group)
                    Remove(member.path);
            total -= groupBytes[record.group];
            groupBytes.erase(record.group);
        }
    }
}

void UndoStore::Remove(const std::string& record)
{
    std::error_code ignored;
    fs::remove(FileSystemPath(record), ignored);
}

}  // namespace mw
