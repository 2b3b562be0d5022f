#include "ops/entry_name_check.h"

#include <algorithm>
#include <string>

#include "core/path_helpers.h"
#include "ops/messages.h"
#include "ops/user_refusal.h"

namespace mw {

bool IsSafeEntryName(std::string_view name)
{
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || path.front() == '/')
        return false;
    const char first = path.front();
    const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
    if (letter && path.size() > 1 && path[1] == ':')
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view component(path.data() + start, end - start);
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
    if (ownBackslash || !IsSafeEntryName(ToEntrySeparators(namePart)))
        throw UserRefusal(kUnsafeSourcePrefix + PrintableText(path));
}

}  // namespace mw
