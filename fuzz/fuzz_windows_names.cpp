// The rules by which the Windows build reads names and paths, run natively.
// The input's first byte picks what is checked; the rest is the text (two
// texts for paths, split at the first NUL).
// - Names: a level is a device exactly when its part before the first dot,
//   blanks behind it dropped, is one of the devices Windows keeps (listed
//   here), in any case; a name the extraction takes is none of them and
//   ends in neither a dot nor a space.
// - Paths: the comparison agrees with the rules stated here: "\" and "/"
//   separate, empty levels count for nothing, the long-path forms read as
//   the paths they stand for, and letters match across the case pairs of
//   ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, and no others;
//   bytes that are no UTF-8 match only themselves. It is symmetric, and
//   changing the case of any of those letters changes nothing.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/windows_path_rules.h"
#include "ops/entry_name_check.h"

namespace {

// The devices, in capitals; COM and LPT take the digits 1 to 9 and the
// superscripts one, two and three, in UTF-8 and in code page 1252.
bool IsDevice(std::string_view level)
{
    std::string base(level.substr(0, level.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    static const std::vector<std::string> kDevices = [] {
        std::vector<std::string> devices = {"CON", "PRN", "AUX", "NUL"};
        for (const char* port : {"COM", "LPT"})
            for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "\xB9", "\xB2", "\xB3",
                                      "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"})
                devices.push_back(std::string(port) + digit);
        return devices;
    }();
    for (const std::string& device : kDevices)
        if (base == device)
            return true;
    return false;
}

// One character of a text: a Unicode character of well-formed UTF-8, or a
// byte that starts none, told apart from every character.
struct Character {
    char32_t code;
    bool byte;
    std::size_t length;
};

Character At(std::string_view text, std::size_t at)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = b(at);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC0 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                : lead >= 0xF0 && lead < 0xF8 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return {lead, true, 1};
    char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        if ((b(at + i) & 0xC0) != 0x80)
            return {lead, true, 1};
        code = code << 6 | (b(at + i) & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kShortest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return {lead, true, 1};
    return {code, false, length};
}

// The capital of each small letter with one.
struct CaseRun {
    char32_t small, last, capital;
};
constexpr std::array<CaseRun, 13> kRuns = {{
    {U'a', U'z', U'A'},
    {0xE0, 0xF6, 0xC0},    // à-ö
    {0xF8, 0xFE, 0xD8},    // ø-þ
    {0xFF, 0xFF, 0x178},   // ÿ
    {0x3AC, 0x3AC, 0x386}, // ά
    {0x3AD, 0x3AF, 0x388}, // έ-ί
    {0x3B1, 0x3C1, 0x391}, // α-ρ
    {0x3C3, 0x3CB, 0x3A3}, // σ-ϋ
    {0x3CC, 0x3CC, 0x38C}, // ό
    {0x3CD, 0x3CE, 0x38E}, // ύ, ώ
    {0x430, 0x44F, 0x410}, // а-я
    {0x450, 0x45F, 0x400}, // ѐ-џ
    {0x491, 0x491, 0x490}, // ґ
}};

// Latin Extended-A: capital and small letter side by side, from these.
constexpr std::array<std::pair<char32_t, char32_t>, 5> kPairRuns = {{
    {0x100, 0x12F}, {0x132, 0x137}, {0x139, 0x148}, {0x14A, 0x177}, {0x179, 0x17E},
}};

char32_t Capital(char32_t c)
{
    for (const CaseRun& run : kRuns)
        if (c >= run.small && c <= run.last)
            return run.capital + (c - run.small);
    for (const auto& [first, last] : kPairRuns)
        if (c >= first && c <= last && (c - first) % 2 == 1)
            return c - 1;
    return c;
}

char32_t Small(char32_t c)
{
    for (const CaseRun& run : kRuns)
        if (c >= run.capital && c <= run.capital + (run.last - run.small))
            return run.small + (c - run.capital);
    for (const auto& [first, last] : kPairRuns)
        if (c >= first && c < last && (c - first) % 2 == 0)
            return c + 1;
    return c;
}

std::string Utf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);  // the letters folded all lie below 0x800
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A level as what it compares by: the capital of each character.
std::vector<std::uint32_t> Folded(std::string_view level)
{
    std::vector<std::uint32_t> folded;
    for (std::size_t at = 0; at < level.size();) {
        const Character c = At(level, at);
        folded.push_back(c.byte ? 0x80000000u | c.code : Capital(c.code));
        at += c.length;
    }
    return folded;
}

// Whether text begins with form, "\" there standing for either separator
// and letters in either case.
bool Begins(std::string_view text, std::string_view form)
{
    if (text.size() < form.size())
        return false;
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char c = text[i];
        const bool same = form[i] == '\\' ? IsSeparator(c) : Capital(static_cast<unsigned char>(c)) == Capital(form[i]);
        if (!same)
            return false;
    }
    return true;
}

// How a path is rooted, then its levels.
std::vector<std::vector<std::uint32_t>> LevelsOf(std::string_view path)
{
    std::uint32_t root = 0;  // relative, or after a drive
    if (Begins(path, R"(\\?\UNC\)"))
        path.remove_prefix(8), root = 2;
    else if (Begins(path, R"(\\?\)") || Begins(path, R"(\??\)"))
        path.remove_prefix(4);
    else if (Begins(path, R"(\\)"))
        root = 2;
    else if (!path.empty() && IsSeparator(path[0]))
        root = 1;
    std::vector<std::vector<std::uint32_t>> levels{{root}};
    std::string level;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (!level.empty())
                levels.push_back(Folded(level));
            level.clear();
        } else {
            level += path[i];
        }
    }
    return levels;
}

bool Inside(std::string_view folder, std::string_view path)
{
    const auto outer = LevelsOf(folder), inner = LevelsOf(path);
    return inner.size() >= outer.size() && std::equal(outer.begin(), outer.end(), inner.begin());
}

// The text with the case of every letter that has a pair changed where
// flips says (a bit per character, over and over).
std::string CaseChanged(std::string_view text, std::string_view flips)
{
    std::string out;
    std::size_t n = 0;
    for (std::size_t at = 0; at < text.size(); ++n) {
        const Character c = At(text, at);
        const bool flip = !flips.empty() && (static_cast<unsigned char>(flips[(n / 8) % flips.size()]) >> (n % 8) & 1);
        if (c.byte || !flip || (Capital(c.code) == c.code && Small(c.code) == c.code))
            out.append(text.substr(at, c.length));
        else
            out += Utf8(Capital(c.code) == c.code ? Small(c.code) : Capital(c.code));
        at += c.length;
    }
    return out;
}

void Fail(const char* what, std::string_view a, std::string_view b = {})
{
    std::fprintf(stderr, "%s: \"%.*s\" \"%.*s\"\n", what, static_cast<int>(a.size()), a.data(),
                 static_cast<int>(b.size()), b.data());
    std::abort();
}

void CheckName(std::string_view level, std::string_view flips)
{
    const bool device = mw::IsWindowsDeviceName(level);
    if (device != IsDevice(level))
        Fail(device ? "a device that Windows does not keep" : "a device name let through", level);
    if (mw::IsWindowsDeviceName(CaseChanged(level, flips)) != device)
        Fail("a device told by its case", level, CaseChanged(level, flips));
    const bool trailing = !level.empty() && (level.back() == '.' || level.back() == ' ');
    if (mw::EndsInDotOrSpace(level) != trailing)
        Fail("a trailing dot or space misread", level);
    if (mw::IsWindowsFileName(level) && (device || trailing))
        Fail("a name Windows cannot write as it stands taken", level);
}

void CheckPaths(std::string_view a, std::string_view b, std::string_view flips)
{
    const bool inside = mw::WindowsPathInside(a, b);
    if (inside != Inside(a, b))
        Fail(inside ? "a path taken as inside a folder it is not in" : "a path inside a folder refused", a, b);
    const bool same = mw::SameWindowsPath(a, b);
    if (same != mw::SameWindowsPath(b, a) || same != (inside && mw::WindowsPathInside(b, a)))
        Fail("the same path told apart by the order of the two", a, b);
    if (!mw::SameWindowsPath(a, a))
        Fail("a path not the same as itself", a);
    const std::string changed = CaseChanged(b, flips);
    if (mw::WindowsPathInside(a, changed) != inside || mw::SameWindowsPath(a, changed) != same)
        Fail("a path told apart by its case", b, changed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string_view flips(reinterpret_cast<const char*>(data) + 1, 1);
    if (data[0] % 2 == 0) {
        CheckName(input, flips);
        return 0;
    }
    const std::size_t nul = input.find('\0');
    const std::string_view a = input.substr(0, nul);
    const std::string_view b = nul == std::string_view::npos ? a : input.substr(nul + 1);
    CheckPaths(a, b, flips);
    return 0;
}
