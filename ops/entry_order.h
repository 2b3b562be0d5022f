// The orders a contents view sorts an archive's entries in, one per column:
// the directory's own, the name as names are compared, the size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/wad.h"

namespace mw {

// The columns of a contents view, in their order on screen.
enum class EntryColumn { Index, Name, Size };

class EntryOrder {
public:
    EntryOrder() = default;
    // The names' keys are made once: a sort asks for them often.
    explicit EntryOrder(const std::vector<WadEntry>& entries);

    // True when entry left sorts before entry right, ascending by column.
    bool Before(EntryColumn column, std::int32_t left, std::int32_t right) const;

private:
    std::vector<std::string> nameKeys_;
    std::vector<std::int32_t> sizes_;
};

}  // namespace mw
