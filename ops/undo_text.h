// How an undo step is told to the user: the history's time and origin, and
// the question the windows ask before "Undo last update".
#pragma once

#include <cstdint>
#include <string>

#include "ops/undo_record.h"

namespace mw {

// Local time to the second, as "2024-05-01 18:03:12".
std::string UndoTimeText(std::int64_t nanoseconds);

// What made the step ("update", "track batch", ...), with the number of
// wads when it changed more than one.
std::string UndoOriginText(const UndoHistoryItem& item);

// The question before a step is undone: when and from what it was made,
// the entries it gives back and takes out, and for a group every wad that
// goes back with this one.
std::string UndoQuestion(const UndoHistoryItem& item, const std::string& archive);

}  // namespace mw
