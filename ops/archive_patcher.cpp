#include "ops/archive_patcher.h"

#include <algorithm>
#include <limits>

#include "core/path_helpers.h"
#include "ops/operation_support.h"

namespace mw {
namespace {

constexpr std::int64_t kLargestOffset = std::numeric_limits<std::int32_t>::max();

}  // namespace

ArchivePatcher::ArchivePatcher(WadImage& image) : image_(image)
{
    const std::size_t count = image.Entries.size();
    storedOffsets_.resize(count);
    sizes_.resize(count);
    for (std::size_t j = 0; j < count; ++j) {
        storedOffsets_[j] = image.Entries[j].Offset;
        sizes_[j] = image.Entries[j].Size;
        maxStoredEndBound_ = std::max(maxStoredEndBound_, std::int64_t{storedOffsets_[j]} + sizes_[j]);
        Index(j);
    }
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

void ArchivePatcher::Replace(int m, Payload bytes, const std::string& path)
{
    const auto mi = static_cast<std::size_t>(m);
    const std::int64_t newSize = bytes.size();
    const std::int32_t at = storedOffsets_[mi];
    CheckArchiveEnd(at + shift_ + newSize, path);

    const std::size_t count = storedOffsets_.size();
    const std::int32_t* offsets = storedOffsets_.data();
    const std::int32_t* sizes = sizes_.data();
    int sharers = 0;
    for (std::size_t j = 0; j < count; ++j)
        sharers += (offsets[j] == at) & (sizes[j] > 0);
    if (sizes_[mi] > 0)
        --sharers;
    const bool shared = sharers > 0;
    const std::int64_t move = shared ? newSize : newSize - sizes_[mi];
    const auto moves = [&](std::size_t j) {
        return j != mi && (shared ? storedOffsets_[j] >= at : storedOffsets_[j] > at);
    };

    if (maxStoredEndBound_ + std::max<std::int64_t>(move, 0) + shift_ > kLargestOffset) {
        // Near the edge: the exact end of every entry that moves.
        for (std::size_t j = 0; j < count; ++j)
            if (moves(j))
                CheckArchiveEnd(std::int64_t{storedOffsets_[j]} + move + sizes_[j] + shift_, path);
    }

    // The flat pass; m itself never moves.
    const auto step = static_cast<std::int32_t>(move);
    std::int32_t* shifted = storedOffsets_.data();
    if (shared) {
        for (std::size_t j = 0; j < count; ++j)
            shifted[j] += shifted[j] >= at ? step : 0;
    } else {
        for (std::size_t j = 0; j < count; ++j)
            shifted[j] += shifted[j] > at ? step : 0;
    }
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
