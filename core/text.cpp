#include "core/text.h"

#include <algorithm>

namespace mw {
namespace {

char LowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string WithoutNuls(std::string_view text)
{
    std::string result(text);
    std::erase(result, '\0');
    return result;
}

std::string PrintableText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const Utf8Character character = byte < 0x80 ? Utf8Character{1, byte} : Utf8At(text, at);
        if (character.length == 0) {
            result += IsC1Control(byte) ? '?' : text[at];
            ++at;
            continue;
        }
        if (character.code < 0x20 || character.code == 0x7F || IsC1Control(character.code))
            result += '?';
        else
            result.append(text.substr(at, character.length));
        at += character.length;
    }
    return result;
}

Utf8Character Utf8At(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size())
        return {};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate)
        return {};
    return {length, code};
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

std::string CountText(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace mw
