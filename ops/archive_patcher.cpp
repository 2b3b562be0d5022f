#include "ops/archive_patcher.h"

#include <algorithm>
#include <limits>

#include "core/path_helpers.h"
#include "ops/operation_support.h"

namespace mw {
namespace {

constexpr std::int64_t kLargestOffset = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kNotTangled = std::numeric_limits<std::int64_t>::max();

}  // namespace

ArchivePatcher::ArchivePatcher(WadImage& image, const std::string& archivePath) : image_(image)
{
    const std::size_t count = image.Entries.size();
    storedOffsets_.resize(count);
    sizes_.resize(count);
    std::int64_t firstBytes = kLargestOffset;
    for (std::size_t j = 0; j < count; ++j) {
        storedOffsets_[j] = image.Entries[j].Offset;
        sizes_[j] = image.Entries[j].Size;
        maxStoredEndBound_ = std::max(maxStoredEndBound_, std::int64_t{storedOffsets_[j]} + sizes_[j]);
        if (sizes_[j] > 0)
            firstBytes = std::min<std::int64_t>(firstBytes, storedOffsets_[j]);
        Index(j);
    }
    // The directory is written anew, so payload bytes that lie in it would
    // change: every payload moves, as one piece, to start behind it. Empty
    // entries there hold nothing and go to its end, where new bytes can go.
    const std::int64_t directoryEnd = DirectoryEnd(static_cast<std::int64_t>(count));
    if (firstBytes < directoryEnd) {
        shift_ = directoryEnd - firstBytes;
        CheckArchiveEnd(maxStoredEndBound_ + shift_, archivePath);
    }
    for (std::size_t j = 0; j < count; ++j)
        if (sizes_[j] == 0 && storedOffsets_[j] + shift_ < directoryEnd)
            storedOffsets_[j] = static_cast<std::int32_t>(directoryEnd - shift_);
}

void ArchivePatcher::Index(std::size_t entry)
{
    const std::string name = LowerAscii(WithoutNuls(EntryName(image_.Entries[entry])));
    std::string fileName = FileNamePart(name, kEntrySeparator);
    const int index = static_cast<int>(entry);
    // emplace keeps the first entry of a key: the first match in table order.
    if (Contains(name, "\\qualifying\\"))
        byQualifyingFileName_.emplace(fileName, index);
    if (Contains(name, "\\race\\"))
        byRaceFileName_.emplace(fileName, index);
    byFileName_.emplace(std::move(fileName), index);
    byName_.emplace(name, index);
}

int ArchivePatcher::FindMatch(const SourceKey& key) const
{
    const std::unordered_map<std::string, int>* index;
    if (key.kind == kQualifyingFolder)
        index = &byQualifyingFileName_;
    else if (key.kind == kRaceFolder)
        index = &byRaceFileName_;
    else if (key.underCars)
        index = &byName_;
    else
        index = &byFileName_;
    const auto found = index->find(key.matchKey);
    return found == index->end() ? -1 : found->second;
}

std::int64_t ArchivePatcher::ExactMaxStoredEnd() const
{
    std::int64_t maxEnd = kNoEnd;
    for (std::size_t j = 0; j < storedOffsets_.size(); ++j)
        maxEnd = std::max(maxEnd, std::int64_t{storedOffsets_[j]} + sizes_[j]);
    return maxEnd;
}

std::int64_t ArchivePatcher::TangledFrom(std::size_t m) const
{
    const std::int64_t at = storedOffsets_[m];
    const std::int64_t end = at + sizes_[m];
    std::int64_t from = kNotTangled;
    const std::int32_t* offsets = storedOffsets_.data();
    const std::int32_t* sizes = sizes_.data();
    for (std::size_t j = 0; j < storedOffsets_.size(); ++j) {
        const std::int64_t offset = offsets[j];
        const bool startsInside = offset > at && offset < end;
        const bool coversStart = sizes[j] > 0 && offset <= at && at < offset + sizes[j];
        if (j != m && (startsInside || coversStart))
            from = std::min(from, offset);
    }
    return from;
}

void ArchivePatcher::Replace(int m, Payload bytes, const std::string& path)
{
    const auto mi = static_cast<std::size_t>(m);
    const std::int64_t newSize = bytes.size();
    const std::int32_t at = storedOffsets_[mi];
    CheckArchiveEnd(at + shift_ + newSize, path);

    // Entries that start inside m's old bytes or whose bytes cover m's start
    // would meet m's new bytes: then everything from the first of them on
    // moves, as one piece, behind the new bytes. Otherwise the entries
    // behind m move by the change in size.
    const std::int64_t firstTangled = TangledFrom(mi);
    const bool tangled = firstTangled != kNotTangled;
    const std::int64_t tangledFrom = std::min<std::int64_t>(firstTangled, at);
    const std::int64_t move = !tangled ? newSize - sizes_[mi] : newSize == 0 ? 0 : at + newSize - tangledFrom;
    const auto moves = [&](std::size_t j) {
        return j != mi && (tangled ? storedOffsets_[j] >= tangledFrom : storedOffsets_[j] > at);
    };

    if (maxStoredEndBound_ + std::max<std::int64_t>(move, 0) + shift_ > kLargestOffset) {
        // Near the edge: the exact end of every entry that moves.
        for (std::size_t j = 0; j < storedOffsets_.size(); ++j)
            if (moves(j))
                CheckArchiveEnd(std::int64_t{storedOffsets_[j]} + move + sizes_[j] + shift_, path);
    }

    // The flat pass; m itself never moves.
    const auto step = static_cast<std::int32_t>(move);
    const std::int64_t first = tangled ? tangledFrom : std::int64_t{at} + 1;
    for (std::int32_t& offset : storedOffsets_)
        offset += offset >= first ? step : 0;
    storedOffsets_[mi] = at;
    sizes_[mi] = static_cast<std::int32_t>(newSize);

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
    storedOffsets_.push_back(static_cast<std::int32_t>(offset - shift_));
    sizes_.push_back(static_cast<std::int32_t>(size));
    maxStoredEndBound_ = std::max(maxStoredEndBound_, offset - shift_ + size);
    Index(image_.Entries.size() - 1);
}

void ArchivePatcher::Finish()
{
    for (std::size_t j = 0; j < storedOffsets_.size(); ++j) {
        image_.Entries[j].Offset = static_cast<std::int32_t>(storedOffsets_[j] + shift_);
        image_.Entries[j].Size = sizes_[j];
    }
}

}  // namespace mw
