#include "core/path_helpers.h"

#include <algorithm>

#include "core/text.h"

namespace mw {

std::string FolderPart(std::string_view text, char separator)
{
    const auto last = text.rfind(separator);
    if (last == std::string_view::npos)
        return {};
    return std::string(text.substr(0, last + 1));
}

std::string FileNamePart(std::string_view text, char separator)
{
    const auto last = text.rfind(separator);
    if (last == std::string_view::npos)
        return std::string(text);
    return std::string(text.substr(last + 1));
}

bool IsFolderPath(std::string_view text)
{
    const std::string_view last4 = LastChars(text, 4);
    const std::string_view last3 = LastChars(text, 3);
    const bool isFile = (!last4.empty() && last4.front() == '.') || (!last3.empty() && last3.front() == '.');
    return !isFile;
}

std::string NativePath(std::string_view typed)
{
    std::string path(typed);
    if (kNativeSeparator == '\\')
        std::replace(path.begin(), path.end(), '/', kNativeSeparator);
    return path;
}

std::string ToEntrySeparators(std::string_view nativePath)
{
    std::string result(nativePath);
    ToEntrySeparatorsInPlace(result);
    return result;
}

void ToEntrySeparatorsInPlace(std::string& path)
{
    std::replace(path.begin(), path.end(), kNativeSeparator, kEntrySeparator);
}

std::string ToNativeSeparators(std::string_view entryName)
{
    std::string result(entryName);
    std::replace(result.begin(), result.end(), kEntrySeparator, kNativeSeparator);
    return result;
}

}  // namespace mw
