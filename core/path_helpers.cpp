#include "core/path_helpers.h"

#include <algorithm>

namespace mw {

std::string WithoutNuls(std::string_view text)
{
    std::string result(text);
    std::erase(result, '\0');
    return result;
}

std::string PrintableText(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return result;
}

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

std::string_view FirstChars(std::string_view text, long long n)
{
    if (n <= 0)
        return {};
    return text.substr(0, static_cast<std::size_t>(std::min<long long>(n, static_cast<long long>(text.size()))));
}

std::string_view LastChars(std::string_view text, long long n)
{
    if (n <= 0)
        return {};
    const auto size = static_cast<long long>(text.size());
    if (n >= size)
        return text;
    return text.substr(static_cast<std::size_t>(size - n));
}

bool IsFolderPath(std::string_view text)
{
    const std::string_view last4 = LastChars(text, 4);
    const std::string_view last3 = LastChars(text, 3);
    const bool isFile = (!last4.empty() && last4.front() == '.') || (!last3.empty() && last3.front() == '.');
    return !isFile;
}

namespace {

char LowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool WildcardMatches(std::string_view text, std::string_view pattern)
{
    // Iterative match with backtracking to the last star.
    std::size_t n = 0, m = 0, starPattern = std::string_view::npos, starText = 0;
    while (n < text.size()) {
        if (m < pattern.size() && (pattern[m] == '?' || LowerChar(pattern[m]) == LowerChar(text[n]))) {
            ++n;
            ++m;
        } else if (m < pattern.size() && pattern[m] == '*') {
            starPattern = m++;
            starText = n;
        } else if (starPattern != std::string_view::npos) {
            m = starPattern + 1;
            n = ++starText;
        } else {
            return false;
        }
    }
    while (m < pattern.size() && pattern[m] == '*')
        ++m;
    return m == pattern.size();
}

std::string LowerAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = LowerChar(c);
    return result;
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
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
