// The offsets and sizes of an archive's entries while an update edits them.
// The entries are kept in offset order, in blocks of about the square root
// of their number, each block with a shift that applies to all its members:
// moving every entry from an offset on is a pass over the blocks instead of
// the entries, and the questions the replace rules ask (the lowest entry
// that starts after an offset, the lowest whose bytes cover it) look into a
// few blocks only. Entries keep the indices they are given.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "core/wad.h"

namespace mw {

class OffsetTable {
public:
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

    explicit OffsetTable(const std::vector<WadEntry>& entries);

    std::size_t size() const { return offsets_.size(); }
    std::int64_t Offset(std::size_t entry) const { return offsets_[entry] + blocks_[blockOf_[entry]].shift; }
    std::int64_t Size(std::size_t entry) const { return sizes_[entry]; }

    void Set(std::size_t entry, std::int64_t offset, std::int64_t size);
    // Adds an entry with the next index.
    void Push(std::int64_t offset, std::int64_t size);
    // Every entry whose offset is first or more moves by step.
    void ShiftFrom(std::int64_t first, std::int64_t step);

    // The lowest offset above at of an entry other than except; kNone if none.
    std::int64_t LowestAbove(std::int64_t at, std::size_t except) const;
    // The lowest offset, from on, of an entry other than except whose bytes
    // cover at (offset <= at < offset + size); kNone if none.
    std::int64_t LowestCovering(std::int64_t at, std::size_t except,
                                std::int64_t from = std::numeric_limits<std::int64_t>::min()) const;
    // The largest offset + size; whenEmpty when there are no entries.
    std::int64_t MaxEnd(std::int64_t whenEmpty) const;

private:
    struct Block {
        std::vector<std::uint32_t> members;  // entry indices in offset order
        std::int64_t shift = 0;              // added to each member's stored offset
        std::int64_t maxEnd = 0;             // largest stored offset + size of a member
    };

    std::int64_t Lowest(const Block& block) const { return offsets_[block.members.front()] + block.shift; }
    std::int64_t Highest(const Block& block) const { return offsets_[block.members.back()] + block.shift; }
    void Measure(Block& block) const;
    // The entries in offset order, each block's shift folded into its members.
    std::vector<std::uint32_t> Flatten();
    void Rebuild(const std::vector<std::uint32_t>& order);
    // Puts entry back in order, its offset given in full.
    void Insert(std::uint32_t entry, std::int64_t offset);
    void Remove(std::uint32_t entry);
    // Sorts again after a shift that moved entries below others.
    void Resort();

    std::vector<std::int64_t> offsets_;  // less the shift of the entry's block
    std::vector<std::int64_t> sizes_;
    std::vector<std::uint32_t> blockOf_;
    std::vector<Block> blocks_;
    std::size_t blockSize_ = 2;
};

}  // namespace mw
