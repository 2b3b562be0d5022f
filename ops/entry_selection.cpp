#include "ops/entry_selection.h"

#include <algorithm>

#include "core/path_helpers.h"
#include "core/wad.h"
#include "ops/archive_contents.h"
#include "ops/messages.h"

namespace mw {
namespace {

std::string WithSlashes(std::string_view text)
{
    std::string result(text);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

}  // namespace

bool EntryMatches(std::string_view name, const std::string& pattern)
{
    // A "*" crosses separators, so "cars\*" takes a whole folder; "\" is
    // a separator here, never an escape.
    return WildcardMatches(WithSlashes(name), WithSlashes(pattern));
}

EntrySearch::EntrySearch(std::string_view text)
    : text_(EntryNameKey(text)),
      pattern_(text.find_first_of("*?") != std::string_view::npos),
      lastName_(text_.find(kEntrySeparator) == std::string::npos)
{
}

bool EntrySearch::Finds(std::string_view name) const
{
    if (!pattern_)
        return std::search(name.begin(), name.end(), text_.begin(), text_.end(),
                           [](char a, char b) { return FoldedNameChar(a) == b; }) != name.end();
    if (!lastName_)
        return EntryMatches(name, text_);
    const std::size_t separator = name.find_last_of("\\/");
    return WildcardMatches(separator == std::string_view::npos ? name : name.substr(separator + 1), text_);
}

bool SelectEntries(std::vector<WadEntry>& entries, const std::vector<std::string>& patterns, Frontend& frontend)
{
    if (patterns.empty())
        return true;
    std::vector<bool> used(patterns.size(), false);
    std::vector<WadEntry> selected;
    for (const WadEntry& entry : entries) {
        bool matched = false;
        for (std::size_t p = 0; p < patterns.size(); ++p)
            if (EntryMatches(EntryName(entry), patterns[p]))
                matched = used[p] = true;
        if (matched)
            selected.push_back(entry);
    }
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        if (!used[p]) {
            frontend.ShowRefusal({RefusalKind::NoEntryMatches, patterns[p]});
            return false;
        }
    }
    entries = std::move(selected);
    return true;
}

}  // namespace mw
