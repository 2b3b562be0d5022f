#include "tests/ops/reference_patcher.h"

#include <cstdint>

#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/messages.h"

namespace mw::reference {
namespace {

constexpr std::int64_t kLastArchiveByte = 2147483647;  // 2^31 - 1
constexpr std::size_t kLongestName = 128;

void RefuseEndPastLastByte(std::int64_t end, const std::string& path)
{
    if (end > kLastArchiveByte)
        throw UserRefusal(RefusalKind::WadTooLarge, path);
}

void RefuseNameLongerThanField(const std::string& name)
{
    if (name.size() > kLongestName)
        throw UserRefusal(RefusalKind::NameTooLong, name);
}

}  // namespace

int FindMatch(const WadImage& image, const SourceKey& key)
{
    for (std::size_t j = 0; j < image.Entries.size(); ++j) {
        const std::string name = LowerAscii(WithoutNuls(EntryName(image.Entries[j])));
        bool matches;
        if (key.kind == kPlainFolder && key.underCars)
            matches = name == key.matchKey;
        else if (FileNamePart(name, kEntrySeparator) != key.matchKey)
            matches = false;
        else if (key.kind == kQualifyingFolder)
            matches = Contains(name, "\\qualifying\\");
        else if (key.kind == kRaceFolder)
            matches = Contains(name, "\\race\\");
        else
            matches = true;
        if (matches)
            return static_cast<int>(j);
    }
    return -1;
}

void ReplaceEntry(WadImage& image, int m, Payload bytes, const std::string& path)
{
    WadEntry& replaced = image.Entries[static_cast<std::size_t>(m)];
    const std::int64_t newSize = bytes.size();
    const std::int64_t delta = newSize - replaced.Size;
    const std::int32_t at = replaced.Offset;
    RefuseEndPastLastByte(at + newSize, path);

    // Another non-empty entry at the same offset shares bytes with m: then
    // everything from that offset on moves behind the new bytes, so the
    // sharer keeps its own bytes and nothing overlaps.
    bool shared = false;
    for (std::size_t j = 0; j < image.Entries.size(); ++j)
        if (static_cast<int>(j) != m && image.Entries[j].Offset == at && image.Entries[j].Size > 0)
            shared = true;

    for (std::size_t j = 0; j < image.Entries.size(); ++j) {
        if (static_cast<int>(j) == m)
            continue;
        WadEntry& entry = image.Entries[j];
        const bool moves = shared ? entry.Offset >= at : entry.Offset > at;
        if (!moves)
            continue;
        const std::int64_t moved = entry.Offset + (shared ? newSize : delta);
        RefuseEndPastLastByte(moved + entry.Size, path);
        entry.Offset = static_cast<std::int32_t>(moved);
    }
    replaced.Size = static_cast<std::int32_t>(newSize);
    image.Payloads[static_cast<std::size_t>(m)] = std::move(bytes);
}

void AppendEntry(WadImage& image, const std::string& name, Payload bytes, const std::string& path)
{
    RefuseNameLongerThanField(name);
    const std::int64_t size = bytes.size();
    const std::int64_t shift = size + kRecordSize;
    for (WadEntry& entry : image.Entries) {
        RefuseEndPastLastByte(entry.Offset + shift + entry.Size, path);
        entry.Offset = static_cast<std::int32_t>(entry.Offset + shift);
    }
    image.EntryCount += 1;
    WadEntry added {};
    SetEntryName(added, name);
    const std::int64_t offset = DirectoryEnd(image.EntryCount);
    RefuseEndPastLastByte(offset + size, path);
    added.Offset = static_cast<std::int32_t>(offset);
    added.Size = static_cast<std::int32_t>(size);
    image.Entries.push_back(added);
    image.Payloads.push_back(std::move(bytes));
}

}  // namespace mw::reference
