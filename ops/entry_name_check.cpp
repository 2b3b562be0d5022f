#include "ops/entry_name_check.h"

#include <string>

#include "core/entry_text.h"
#include "core/path_helpers.h"
#include "core/windows_path_rules.h"
#include "ops/messages.h"

namespace mw {

bool IsWindowsFileName(std::string_view level)
{
    if (level.empty() || EndsInDotOrSpace(level) || IsWindowsDeviceName(level))
        return false;
    for (const char c : level)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view(R"(<>:"|?*)").find(c) != std::string_view::npos)
            return false;
    return true;
}

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
        if (kWindowsFileNames && !IsWindowsFileName(component))
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
        throw UserRefusal(RefusalKind::UnsafeSource, path);
}

std::string SourceEntryName(const std::string& path, std::string_view namePart)
{
    CheckSourceName(path, namePart);
    std::optional<std::string> name = EntryNameOfPathText(namePart);
    if (!name)
        throw UserRefusal(RefusalKind::NotInCodePage, path);
    ToEntrySeparatorsInPlace(*name);
    return std::move(*name);
}

}  // namespace mw
