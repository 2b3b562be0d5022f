// Path texts cut as plain byte strings. File-system paths use the platform's
// separator; archive entry names always use "\".
#pragma once

#include <string>
#include <string_view>

namespace mw {

inline constexpr char kEntrySeparator = '\\';
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif
// File names Windows refuses (devices, a trailing dot or space, <>:"|?*)
// are refused where it writes them.
inline constexpr bool kWindowsFileNames = kNativeSeparator == '\\';

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
// The folder part: everything up to and including the last separator.
std::string FolderPart(std::string_view text, char separator = kNativeSeparator);
// The file-name part: everything after the last separator.
std::string FileNamePart(std::string_view text, char separator = kNativeSeparator);
// Whether a source text is taken as a folder: it is a file when the
// 4th- or 3rd-from-last character is a dot. Nothing on disk is consulted.
bool IsFolderPath(std::string_view text);

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

// A path as the user typed it, with the platform's separator: on Windows
// "/" is taken as "\\", so that both are accepted and messages show "\\".
std::string NativePath(std::string_view typed);

// A relative file-system path as an entry name ("\" between levels), and back.
std::string ToEntrySeparators(std::string_view nativePath);
// The same, in place.
void ToEntrySeparatorsInPlace(std::string& path);
std::string ToNativeSeparators(std::string_view entryName);

}  // namespace mw
