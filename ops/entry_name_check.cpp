#include "ops/entry_name_check.h"

#include <string>

#include "core/path_helpers.h"
#include "ops/messages.h"
#include "ops/user_refusal.h"

namespace mw {

bool IsSafeEntryName(std::string_view name)
{
    // "\" and "/" both separate levels, as the extraction reads them.
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (name.empty() || separator(name.front()) || separator(name.back()))
        return false;
    const char first = name.front();
    const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
    if (letter && name.size() > 1 && name[1] == ':')
        return false;
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t end = start;
        while (end < name.size() && !separator(name[end]))
            ++end;
        const std::string_view component = name.substr(start, end - start);
        if (component == "." || component == "..")
            return false;
        start = end + 1;
    }
    return true;
}

void CheckSourceName(const std::string& path, std::string_view namePart)
{
    const bool ownBackslash =
        kNativeSeparator != kEntrySeparator && namePart.find(kEntrySeparator) != std::string_view::npos;
    if (ownBackslash || !IsSafeEntryName(namePart))
        throw UserRefusal(kUnsafeSourcePrefix + PrintableText(path));
}

}  // namespace mw
