// Text keys to the first index given for each, in one open-addressed table
// with every key's bytes in one buffer: no allocation per key, which counts
// in an index over a hundred thousand archive entries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

class FirstIndexMap {
public:
    // Room for keys of keyBytes bytes in all without growing.
    void Reserve(std::size_t keys, std::size_t keyBytes);
    // Keeps index for key unless the key has one already.
    void Add(std::string_view key, int index);
    // The first index given for key, or -1.
    int Find(std::string_view key) const;

private:
    // 16 bytes, so that more of a large table stays in the cache.
    struct Slot {
        std::uint32_t check = 0;  // high half of the key's hash
        std::uint32_t keyStart = 0;
        std::uint32_t keyLength = 0;
        int index = -1;  // -1: empty
    };

    // The slot that holds key, or the empty one where it would go.
    std::size_t SlotOf(std::string_view key, std::uint64_t hash) const;
    static std::uint32_t CheckOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
    void Grow(std::size_t slots);

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::string keys_;
};

}  // namespace mw
