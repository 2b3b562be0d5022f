#include "settings/posix/wine_registry_strings.h"

namespace mw::wine {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

char16_t ControlEscape(char letter)
{
    switch (letter) {
    case 'a': return u'\a';
    case 'b': return u'\b';
    case 'e': return 0x1B;
    case 'f': return u'\f';
    case 'n': return u'\n';
    case 'r': return u'\r';
    case 't': return u'\t';
    case 'v': return u'\v';
    default: return 0;
    }
}

void AppendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::optional<std::u16string> TakeEscaped(std::string_view& text, char endChar)
{
    std::u16string units;
    std::size_t at = 0;
    while (at < text.size() && text[at] != endChar) {
        const char c = text[at++];
        if (c != '\\') {
            units.push_back(static_cast<unsigned char>(c));
            continue;
        }
        if (at == text.size())
            break;
        const char escaped = text[at++];
        if (const char16_t control = ControlEscape(escaped)) {
            units.push_back(control);
        } else if (escaped == 'x') {
            unsigned value = 0;
            int digits = 0;
            for (; digits < 4 && at < text.size() && HexValue(text[at]) >= 0; ++digits)
                value = value * 16 + static_cast<unsigned>(HexValue(text[at++]));
            units.push_back(digits > 0 ? static_cast<char16_t>(value) : u'x');
        } else if (IsOctal(escaped)) {
            unsigned value = static_cast<unsigned>(escaped - '0');
            for (int digits = 1; digits < 3 && at < text.size() && IsOctal(text[at]); ++digits)
                value = value * 8 + static_cast<unsigned>(text[at++] - '0');
            units.push_back(static_cast<char16_t>(value));
        } else {
            units.push_back(static_cast<unsigned char>(escaped));
        }
    }
    if (at >= text.size() || text[at] != endChar)
        return std::nullopt;
    text.remove_prefix(at + 1);
    return units;
}

void TakeHexBytes(std::string_view& text, std::string& bytes)
{
    while (!text.empty() && HexValue(text.front()) >= 0) {
        int value = HexValue(text.front());
        std::size_t used = 1;
        if (text.size() > 1 && HexValue(text[1]) >= 0) {
            value = value * 16 + HexValue(text[1]);
            used = 2;
        }
        bytes.push_back(static_cast<char>(value));
        text.remove_prefix(used);
        if (!text.empty() && text.front() == ',')
            text.remove_prefix(1);
    }
}

std::string Utf8FromUtf16(std::u16string_view units)
{
    std::string out;
    for (std::size_t i = 0; i < units.size() && units[i] != 0; ++i) {
        char32_t point = units[i];
        if (IsHighSurrogate(point) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            point = 0x10000 + ((point - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point)) {
            point = 0xFFFD;
        }
        AppendUtf8(out, point);
    }
    return out;
}

std::u16string Utf16FromLittleEndian(std::string_view bytes)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return units;
}

std::string_view SkipBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\n\v\f\r");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

}  // namespace mw::wine
