// Text at the Win32 boundary: paths are UTF-8 inside the program and
// UTF-16 at every call; archive entry names are bytes in the system's ANSI
// code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mw {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// A path for the wide calls: made absolute, and prefixed with \\?\ so that
// paths longer than 260 characters work; "/" is taken as "\".
std::wstring WidePath(const std::string& path);

// A name in the system's ANSI code page as UTF-16, or nothing when its
// bytes are no text in that code page.
std::optional<std::wstring> WideFromAnsi(std::string_view bytes);
// UTF-16 in the system's ANSI code page, or nothing when a character has
// no exact counterpart there (no best-fit stand-in is taken).
std::optional<std::string> AnsiFromWide(std::wstring_view text);

}  // namespace mw
