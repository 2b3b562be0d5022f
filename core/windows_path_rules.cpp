#include "core/windows_path_rules.h"

#include <array>
#include <vector>

#include "core/text.h"

namespace mw {
namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The upper-case letter of a lower-case one in the ranges folded; any
// other character as it is.
char32_t UpperOf(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A pairs each capital with the small letter after it,
    // but for two runs that start one later.
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        return (c % 2 == 0) == oddCapitals ? c - 1 : c;
    }
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (c == 0x491)
        return 0x490;
    if (c == 0x3AC)
        return 0x386;
    if (c >= 0x3AD && c <= 0x3AF)
        return c - 0x25;
    if (c == 0x3CC)
        return 0x38C;
    if (c == 0x3CD || c == 0x3CE)
        return c - 0x3F;
    return c;
}

// The character at text[at] folded, and how many bytes it took; a byte
// that starts no UTF-8 sequence stands for itself, apart from every
// character.
std::pair<char32_t, std::size_t> FoldedAt(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80)
        return {UpperOf(byte), 1};
    const Utf8Character character = Utf8At(text, at);
    if (character.length == 0)
        return {0x110000 + byte, 1};
    return {UpperOf(character.code), character.length};
}

bool SameLevel(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto [ca, la] = FoldedAt(a, i);
        const auto [cb, lb] = FoldedAt(b, j);
        if (ca != cb)
            return false;
        i += la;
        j += lb;
    }
    return i == a.size() && j == b.size();
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        if (prefix[i] == '\\' ? !IsSeparator(c) : UpperOf(static_cast<unsigned char>(c)) != UpperOf(prefix[i]))
            return false;
    }
    return true;
}

// The levels of a path, the first one saying how it is rooted: "\\" for a
// share, "\" for the current drive's root, "" for a relative path (a
// drive's levels follow its letter, "C:").
std::vector<std::string_view> Levels(std::string_view path)
{
    std::string_view root;
    if (StartsWith(path, R"(\\?\UNC\)")) {
        path.remove_prefix(8);
        root = R"(\\)";
    } else if (StartsWith(path, R"(\\?\)") || StartsWith(path, R"(\??\)")) {
        path.remove_prefix(4);
    } else if (StartsWith(path, R"(\\)")) {
        path.remove_prefix(2);
        root = R"(\\)";
    } else if (!path.empty() && IsSeparator(path.front())) {
        root = R"(\)";
    }
    std::vector<std::string_view> levels{root};
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        if (end > start)
            levels.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

}  // namespace

bool WindowsPathInside(std::string_view folder, std::string_view path)
{
    const std::vector<std::string_view> outer = Levels(folder);
    const std::vector<std::string_view> inner = Levels(path);
    if (inner.size() < outer.size())
        return false;
    for (std::size_t i = 0; i < outer.size(); ++i)
        if (!SameLevel(outer[i], inner[i]))
            return false;
    return true;
}

bool SameWindowsPath(std::string_view a, std::string_view b)
{
    return Levels(a).size() == Levels(b).size() && WindowsPathInside(a, b);
}

bool IsWindowsDeviceName(std::string_view level)
{
    // The part before the first dot, blanks before the dot ignored.
    std::string base = LowerAscii(level.substr(0, level.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "con" || base == "prn" || base == "aux" || base == "nul")
        return true;
    if (!base.starts_with("com") && !base.starts_with("lpt"))
        return false;
    const std::string_view number = std::string_view(base).substr(3);
    static constexpr std::array<std::string_view, 6> kSuperscripts = {"\xB9", "\xB2", "\xB3",
                                                                      "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    for (const std::string_view superscript : kSuperscripts)
        if (number == superscript)
            return true;
    return number.size() == 1 && number[0] >= '1' && number[0] <= '9';
}

bool EndsInDotOrSpace(std::string_view level)
{
    return !level.empty() && (level.back() == '.' || level.back() == ' ');
}

}  // namespace mw
