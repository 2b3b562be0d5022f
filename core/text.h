// Texts as byte strings: UTF-8 read where it is valid, ASCII letters
// lower-cased byte by byte, wildcards matched, and what a terminal would
// take as a command shown as "?".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mw {

// The text with every NUL character removed.
std::string WithoutNuls(std::string_view text);
// The text with every control character shown as "?", so that a name from
// an archive or a file system cannot drive the terminal that shows it: C0
// (below 32) and 127, C1 (U+0080 to U+009F) encoded in UTF-8, and the bytes
// 0x80 to 0x9F outside valid UTF-8, which 8-bit terminals take as C1. Valid
// UTF-8 of other characters, and other bytes, pass unchanged.
std::string PrintableText(std::string_view text);

// The valid UTF-8 sequence that starts at text[at]: its length, 0 when
// there is none, and the character it encodes.
struct Utf8Character {
    std::size_t length = 0;
    char32_t code = 0;
};
Utf8Character Utf8At(std::string_view text, std::size_t at);
// Whether a character is a C1 control (U+0080 to U+009F).
constexpr bool IsC1Control(char32_t code) { return code >= 0x80 && code <= 0x9F; }

// The first or last n characters; the whole text when n reaches its length.
std::string_view FirstChars(std::string_view text, long long n);
std::string_view LastChars(std::string_view text, long long n);

// Whether text matches pattern, where "*" stands for any run of characters
// and "?" for any one; ASCII letters match either case.
bool WildcardMatches(std::string_view text, std::string_view pattern);

// ASCII lower-casing, byte by byte.
std::string LowerAscii(std::string_view text);
// Whether text holds part as a plain substring.
bool Contains(std::string_view text, std::string_view part);
// A count with its noun, one in the singular: "1 entry", "3 entries".
std::string CountText(std::size_t count, const char* one, const char* many);

}  // namespace mw
