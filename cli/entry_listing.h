// The entries of an archive as list prints them: tab-separated lines, or a
// JSON array.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/wad.h"

namespace mw::cli {

// "INDEX<TAB>OFFSET<TAB>SIZE<TAB>NAME\n", control characters shown as "?".
std::string ListLine(std::size_t index, const WadEntry& entry);

// {"index": .., "offset": .., "size": .., "name": ".."} with the array's
// punctuation around it: first says whether it opens the array.
std::string JsonListItem(std::size_t index, const WadEntry& entry, bool first);

// A JSON string literal of name. Valid UTF-8 stays as it is; a byte that is
// not part of valid UTF-8 becomes the character of the same number
// ("\u00e9" for byte E9, as the game's Windows-1252 names mostly mean).
std::string JsonString(std::string_view name);

}  // namespace mw::cli
