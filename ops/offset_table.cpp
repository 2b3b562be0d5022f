#include "ops/offset_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mw {

OffsetTable::OffsetTable(const std::vector<WadEntry>& entries) : blockOf_(entries.size())
{
    offsets_.reserve(entries.size());
    sizes_.reserve(entries.size());
    for (const WadEntry& entry : entries) {
        offsets_.push_back(entry.Offset);
        sizes_.push_back(entry.Size);
    }
    Resort();
}

void OffsetTable::Measure(Block& block) const
{
    block.maxEnd = std::numeric_limits<std::int64_t>::min();
    for (std::uint32_t member : block.members)
        block.maxEnd = std::max(block.maxEnd, offsets_[member] + sizes_[member]);
}

std::vector<std::uint32_t> OffsetTable::Flatten()
{
    std::vector<std::uint32_t> order;
    order.reserve(offsets_.size());
    for (Block& block : blocks_) {
        for (std::uint32_t member : block.members) {
            offsets_[member] += block.shift;
            order.push_back(member);
        }
        block.shift = 0;
    }
    return order;
}

void OffsetTable::Rebuild(const std::vector<std::uint32_t>& order)
{
    blockSize_ = std::max<std::size_t>(2, static_cast<std::size_t>(std::sqrt(static_cast<double>(order.size()))));
    blocks_.clear();
    for (std::size_t start = 0; start < order.size(); start += blockSize_) {
        Block& block = blocks_.emplace_back();
        block.members.assign(order.begin() + static_cast<std::ptrdiff_t>(start),
                             order.begin() + static_cast<std::ptrdiff_t>(std::min(order.size(), start + blockSize_)));
        for (std::uint32_t member : block.members)
            blockOf_[member] = static_cast<std::uint32_t>(blocks_.size() - 1);
        Measure(block);
    }
}

void OffsetTable::Resort()
{
    std::vector<std::uint32_t> order = Flatten();
    if (order.size() < offsets_.size()) {  // first build: no blocks yet
        order.resize(offsets_.size());
        std::iota(order.begin(), order.end(), 0U);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return offsets_[a] < offsets_[b]; });
    Rebuild(order);
}

void OffsetTable::Insert(std::uint32_t entry, std::int64_t offset)
{
    if (blocks_.empty()) {
        offsets_[entry] = offset;
        Rebuild({entry});
        return;
    }
    // The last block that starts at or below the offset, else the first.
    auto found = std::upper_bound(blocks_.begin(), blocks_.end(), offset,
                                  [&](std::int64_t value, const Block& block) { return value < Lowest(block); });
    Block& block = found == blocks_.begin() ? blocks_.front() : *(found - 1);
    offsets_[entry] = offset - block.shift;
    const auto at = std::upper_bound(block.members.begin(), block.members.end(), offsets_[entry],
                                     [&](std::int64_t value, std::uint32_t member) { return value < offsets_[member]; });
    block.members.insert(at, entry);
    blockOf_[entry] = static_cast<std::uint32_t>(&block - blocks_.data());
    block.maxEnd = std::max(block.maxEnd, offsets_[entry] + sizes_[entry]);
    if (block.members.size() > 2 * blockSize_)
        Rebuild(Flatten());
}

void OffsetTable::Remove(std::uint32_t entry)
{
    Block& block = blocks_[blockOf_[entry]];
    block.members.erase(std::find(block.members.begin(), block.members.end(), entry));
    if (block.members.empty())
        Rebuild(Flatten());
    else
        Measure(block);
}

void OffsetTable::Set(std::size_t entry, std::int64_t offset, std::int64_t size)
{
    const auto index = static_cast<std::uint32_t>(entry);
    Remove(index);
    sizes_[entry] = size;
    Insert(index, offset);
}

void OffsetTable::Push(std::int64_t offset, std::int64_t size)
{
    offsets_.push_back(offset);
    sizes_.push_back(size);
    blockOf_.push_back(0);
    Insert(static_cast<std::uint32_t>(offsets_.size() - 1), offset);
}

void OffsetTable::ShiftFrom(std::int64_t first, std::int64_t step)
{
    if (step == 0)
        return;
    // The highest offset left below first and the lowest moved one: a move
    // down can take entries below others, and then the order is made again.
    std::int64_t highestLeft = std::numeric_limits<std::int64_t>::min();
    std::int64_t lowestMoved = kNone;
    for (Block& block : blocks_) {
        if (Highest(block) < first) {
            highestLeft = Highest(block);
        } else if (Lowest(block) >= first) {
            block.shift += step;
            lowestMoved = std::min(lowestMoved, Lowest(block));
        } else {
            for (std::uint32_t member : block.members) {
                if (offsets_[member] + block.shift >= first) {
                    offsets_[member] += step;
                    lowestMoved = std::min(lowestMoved, offsets_[member] + block.shift);
                } else {
                    highestLeft = offsets_[member] + block.shift;
                }
            }
            Measure(block);
        }
    }
    if (step < 0 && lowestMoved < highestLeft)
        Resort();
}

std::int64_t OffsetTable::LowestAbove(std::int64_t at, std::size_t except) const
{
    auto block = std::upper_bound(blocks_.begin(), blocks_.end(), at,
                                  [&](std::int64_t value, const Block& b) { return value < Highest(b); });
    for (; block != blocks_.end(); ++block) {
        for (std::uint32_t member : block->members) {
            const std::int64_t offset = offsets_[member] + block->shift;
            if (offset > at && member != except)
                return offset;
        }
    }
    return kNone;
}

std::int64_t OffsetTable::LowestCovering(std::int64_t at, std::size_t except, std::int64_t from) const
{
    for (const Block& block : blocks_) {
        if (Lowest(block) > at)
            break;
        if (Highest(block) < from || block.maxEnd + block.shift <= at)
            continue;
        for (std::uint32_t member : block.members) {
            const std::int64_t offset = offsets_[member] + block.shift;
            if (offset > at)
                break;
            if (offset >= from && offset + sizes_[member] > at && member != except)
                return offset;
        }
    }
    return kNone;
}

std::int64_t OffsetTable::MaxEnd(std::int64_t whenEmpty) const
{
    std::int64_t maxEnd = whenEmpty;
    for (const Block& block : blocks_)
        maxEnd = std::max(maxEnd, block.maxEnd + block.shift);
    return maxEnd;
}

}  // namespace mw
