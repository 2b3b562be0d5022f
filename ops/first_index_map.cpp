#include "ops/first_index_map.h"

#include <functional>

namespace mw {
namespace {

std::uint64_t HashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

}  // namespace

std::size_t FirstIndexMap::SlotOf(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.index < 0 ||
            (slot.check == CheckOf(hash) && std::string_view(keys_).substr(slot.keyStart, slot.keyLength) == key))
            return at;
    }
}

void FirstIndexMap::Reserve(std::size_t keys, std::size_t keyBytes)
{
    std::size_t slots = 64;
    while (slots < 2 * keys)
        slots *= 2;
    if (slots > slots_.size())
        Grow(slots);
    keys_.reserve(keyBytes);
}

void FirstIndexMap::Grow(std::size_t slots)
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index < 0)
            continue;
        std::size_t at = HashOf(std::string_view(keys_).substr(slot.keyStart, slot.keyLength)) & mask;
        while (slots_[at].index >= 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

void FirstIndexMap::Add(std::string_view key, int index)
{
    // At most half full, so that probes stay short.
    if (2 * (used_ + 1) > slots_.size())
        Grow(slots_.empty() ? 64 : 2 * slots_.size());
    const std::uint64_t hash = HashOf(key);
    Slot& slot = slots_[SlotOf(key, hash)];
    if (slot.index >= 0)
        return;
    slot = {CheckOf(hash), static_cast<std::uint32_t>(keys_.size()), static_cast<std::uint32_t>(key.size()), index};
    keys_.append(key);
    ++used_;
}

int FirstIndexMap::Find(std::string_view key) const
{
    if (slots_.empty())
        return -1;
    return slots_[SlotOf(key, HashOf(key))].index;
}

}  // namespace mw
