#include "ops/entry_order.h"

#include "ops/archive_contents.h"

namespace mw {

EntryOrder::EntryOrder(const std::vector<WadEntry>& entries)
{
    nameKeys_.reserve(entries.size());
    sizes_.reserve(entries.size());
    for (const WadEntry& entry : entries) {
        nameKeys_.push_back(EntryNameKey(EntryName(entry)));
        sizes_.push_back(entry.Size);
    }
}

bool EntryOrder::Before(EntryColumn column, std::int32_t left, std::int32_t right) const
{
    const auto l = static_cast<std::size_t>(left);
    const auto r = static_cast<std::size_t>(right);
    switch (column) {
    case EntryColumn::Name: return nameKeys_[l] < nameKeys_[r];
    case EntryColumn::Size: return sizes_[l] < sizes_[r];
    default: return left < right;
    }
}

}  // namespace mw
