#include "ops/archive_patcher.h"

#include <algorithm>
#include <limits>

#include "core/path_helpers.h"
#include "core/text.h"
#include "ops/archive_limits.h"

namespace mw {
namespace {

constexpr std::int64_t kLargestOffset = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kNotTangled = std::numeric_limits<std::int64_t>::max();

}  // namespace

ArchivePatcher::ArchivePatcher(WadImage& image, const std::string& archivePath)
    : image_(image), offsets_(image.Entries)
{
    const std::size_t count = image.Entries.size();
    maxStoredEndBound_ = offsets_.MaxEnd(kNoEnd);
    std::int64_t firstBytes = kLargestOffset;
    std::size_t nameBytes = 0;
    for (const WadEntry& entry : image.Entries) {
        if (entry.Size > 0)
            firstBytes = std::min<std::int64_t>(firstBytes, entry.Offset);
        nameBytes += EntryName(entry).size();
    }
    // Every entry has a key in these two; few are under "qualifying" or "race".
    byName_.Reserve(count, nameBytes);
    byFileName_.Reserve(count, nameBytes / 2);
    for (std::size_t j = 0; j < count; ++j)
        Index(j);
    // The directory is written anew, so payload bytes that lie in it would
    // change: every payload moves, as one piece, to start behind it. Empty
    // entries there hold nothing and go to its end, where new bytes can go.
    const std::int64_t directoryEnd = DirectoryEnd(static_cast<std::int64_t>(count));
    if (firstBytes < directoryEnd) {
        shift_ = directoryEnd - firstBytes;
        CheckArchiveEnd(maxStoredEndBound_ + shift_, archivePath);
    }
    for (std::size_t j = 0; j < count; ++j)
        if (offsets_.Size(j) == 0 && offsets_.Offset(j) + shift_ < directoryEnd)
            offsets_.Set(j, directoryEnd - shift_, 0);
}

void ArchivePatcher::Index(std::size_t entry)
{
    const std::string name = LowerAscii(WithoutNuls(EntryName(image_.Entries[entry])));
    const std::string_view fileName = std::string_view(name).substr(name.rfind(kEntrySeparator) + 1);
    const int index = static_cast<int>(entry);
    // Add keeps the first entry of a key: the first match in table order.
    if (Contains(name, "\\qualifying\\"))
        byQualifyingFileName_.Add(fileName, index);
    if (Contains(name, "\\race\\"))
        byRaceFileName_.Add(fileName, index);
    byFileName_.Add(fileName, index);
    byName_.Add(name, index);
}

int ArchivePatcher::FindMatch(const SourceKey& key) const
{
    const FirstIndexMap* index;
    if (key.kind == kQualifyingFolder)
        index = &byQualifyingFileName_;
    else if (key.kind == kRaceFolder)
        index = &byRaceFileName_;
    else if (key.underCars)
        index = &byName_;
    else
        index = &byFileName_;
    return index->Find(key.matchKey);
}

std::int64_t ArchivePatcher::ExactMaxStoredEnd() const
{
    return offsets_.MaxEnd(kNoEnd);
}

std::int64_t ArchivePatcher::TangledFrom(std::size_t m) const
{
    const std::int64_t at = offsets_.Offset(m);
    // The first entry that starts inside m's old bytes, if any does, and the
    // first whose bytes cover m's start.
    const std::int64_t above = offsets_.LowestAbove(at, m);
    const std::int64_t startsInside = above < at + offsets_.Size(m) ? above : kNotTangled;
    return std::min(startsInside, offsets_.LowestCovering(at, m));
}

void ArchivePatcher::Replace(int m, Payload bytes, const std::string& path)
{
    const auto mi = static_cast<std::size_t>(m);
    const std::int64_t newSize = bytes.size();
    const std::int64_t at = offsets_.Offset(mi);
    CheckArchiveEnd(at + shift_ + newSize, path);

    // Entries that start inside m's old bytes or whose bytes cover m's start
    // would meet m's new bytes: then everything from the first of them on
    // moves, as one piece, behind the new bytes. Otherwise the entries
    // behind m move by the change in size.
    const std::int64_t firstTangled = TangledFrom(mi);
    const bool tangled = firstTangled != kNotTangled;
    const std::int64_t tangledFrom = std::min<std::int64_t>(firstTangled, at);
    const std::int64_t move = !tangled ? newSize - offsets_.Size(mi) : newSize == 0 ? 0 : at + newSize - tangledFrom;
    const std::int64_t first = tangled ? tangledFrom : at + 1;

    if (maxStoredEndBound_ + std::max<std::int64_t>(move, 0) + shift_ > kLargestOffset) {
        // Near the edge: the exact end of every entry that moves.
        for (std::size_t j = 0; j < offsets_.size(); ++j)
            if (j != mi && offsets_.Offset(j) >= first)
                CheckArchiveEnd(offsets_.Offset(j) + move + offsets_.Size(j) + shift_, path);
    }

    // m itself never moves.
    offsets_.ShiftFrom(first, move);
    offsets_.Set(mi, at, newSize);

    maxStoredEndBound_ = std::max(maxStoredEndBound_ + std::max<std::int64_t>(move, 0), at + newSize);
    if (maxStoredEndBound_ + shift_ > kLargestOffset)
        maxStoredEndBound_ = ExactMaxStoredEnd();
    image_.Payloads[mi] = std::move(bytes);
}

void ArchivePatcher::Append(const std::string& name, Payload bytes, const std::string& path)
{
    CheckEntryNameFits(name);
    const std::int64_t size = bytes.size();
    const std::int64_t shift = shift_ + size + kRecordSize;
    // Every entry moves behind the new bytes and record.
    if (maxStoredEndBound_ + shift > kLargestOffset) {
        maxStoredEndBound_ = ExactMaxStoredEnd();
        CheckArchiveEnd(maxStoredEndBound_ + shift, path);
    }
    const std::int64_t offset = DirectoryEnd(std::int64_t{image_.EntryCount} + 1);
    CheckArchiveEnd(offset + size, path);

    shift_ = shift;
    image_.EntryCount += 1;
    WadEntry added {};
    SetEntryName(added, name);
    image_.Entries.push_back(added);
    image_.Payloads.push_back(std::move(bytes));
    offsets_.Push(offset - shift_, size);
    maxStoredEndBound_ = std::max(maxStoredEndBound_, offset - shift_ + size);
    Index(image_.Entries.size() - 1);
}

void ArchivePatcher::Finish()
{
    for (std::size_t j = 0; j < offsets_.size(); ++j) {
        image_.Entries[j].Offset = static_cast<std::int32_t>(offsets_.Offset(j) + shift_);
        image_.Entries[j].Size = static_cast<std::int32_t>(offsets_.Size(j));
    }
}

}  // namespace mw
