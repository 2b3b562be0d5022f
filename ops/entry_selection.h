// The entries that an extraction given name patterns writes, and the one
// rule by which find, the windows' "Find in GP4" and a contents view's
// filter look for entries by a text the user types.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/wad.h"
#include "ops/frontend.h"

namespace mw {

// True when the entry name matches the pattern: "*" any run of characters
// (separators too), "?" any one, letters in either case, "\" and "/" the
// same separator.
bool EntryMatches(std::string_view name, const std::string& pattern);

// What a text typed to look for entries finds, letters in either case and
// "\" and "/" alike: text without "*" or "?" finds the names that hold it
// anywhere ("helmet" finds "cars\ferrari\helmet_1.tex"); a pattern with them
// must match the whole of each entry's last name when it holds no "\" or
// "/" ("helmet*.tex" finds every helmet at any depth), the whole name when
// it does ("cars\*.tex"). An empty text finds every entry.
class EntrySearch {
public:
    explicit EntrySearch(std::string_view text);
    bool Finds(std::string_view name) const;

private:
    std::string text_;  // lower-case, "\" between levels
    bool pattern_;      // holds "*" or "?"
    bool lastName_;     // holds no separator
};

// Keeps in entries those that match one of the patterns (all of them when
// there is none). A pattern that matches no entry is refused through the
// frontend, naming it, and false is returned.
bool SelectEntries(std::vector<WadEntry>& entries, const std::vector<std::string>& patterns, Frontend& frontend);

}  // namespace mw
