// The entries that an extraction given name patterns writes.
#pragma once

#include <string>
#include <string_view>

#include "ops/frontend.h"
#include <vector>

#include "core/wad.h"

namespace mw {

// True when the entry name matches the pattern: "*" any run of characters
// (separators too), "?" any one, letters in either case, "\" and "/" the
// same separator.
bool EntryMatches(std::string_view name, const std::string& pattern);

// Keeps in entries those that match one of the patterns (all of them when
// there is none). A pattern that matches no entry is refused through the
// frontend, naming it, and false is returned.
bool SelectEntries(std::vector<WadEntry>& entries, const std::vector<std::string>& patterns, Frontend& frontend);

}  // namespace mw
