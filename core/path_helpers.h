// Path texts cut as plain byte strings. File-system paths use the platform's
// separator; archive entry names always use "\". What holds for any text
// is in core/text.h.
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

// The folder part: everything up to and including the last separator.
std::string FolderPart(std::string_view text, char separator = kNativeSeparator);
// The file-name part: everything after the last separator.
std::string FileNamePart(std::string_view text, char separator = kNativeSeparator);
// Whether a source text is taken as a folder: it is a file when the
// 4th- or 3rd-from-last character is a dot. Nothing on disk is consulted.
bool IsFolderPath(std::string_view text);

// A path as the user typed it, with the platform's separator: on Windows
// "/" is taken as "\\", so that both are accepted and messages show "\\".
std::string NativePath(std::string_view typed);

// A relative file-system path as an entry name ("\" between levels), and back.
std::string ToEntrySeparators(std::string_view nativePath);
// The same, in place.
void ToEntrySeparatorsInPlace(std::string& path);
std::string ToNativeSeparators(std::string_view entryName);

}  // namespace mw
