// The string forms inside Wine's registry files: escaped texts closed by a
// quote or a bracket, and comma-separated hexadecimal byte lists.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mw::wine {

// Decodes an escaped text that ends at the first unescaped endChar and moves
// text past that endChar. Escapes: \a \b \e \f \n \r \t \v; \x with one to
// four hexadecimal digits (\x with none is "x"); one to three octal digits;
// a backslash before any other character stands for that character. Plain
// bytes are code units of their own value. Nothing when endChar never comes.
std::optional<std::u16string> TakeEscaped(std::string_view& text, char endChar);

// Appends the bytes of "xx,xx,..." (one or two digits each) and moves text
// past them; stops at the first character that begins no byte.
void TakeHexBytes(std::string_view& text, std::string& bytes);

// UTF-16 code units as UTF-8, up to the first NUL; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view units);
// UTF-16LE bytes as code units; an odd last byte is dropped.
std::u16string Utf16FromLittleEndian(std::string_view bytes);

// The text without its leading white space (as C's isspace sees it).
std::string_view SkipBlanks(std::string_view text);

}  // namespace mw::wine
