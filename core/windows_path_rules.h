// How Windows spells paths and names, as text rules that call nothing, so
// that both builds run them: the Windows build compares the paths the
// system gives back for open folders and files with these, and refuses the
// names it cannot write as they stand.
#pragma once

#include <string_view>

namespace mw {

// Whether path names folder or a place below it, as Windows tells paths
// apart: "\" and "/" both separate, runs of them and a trailing one change
// nothing, the long-path forms "\\?\C:\x", "\??\C:\x" and
// "\\?\UNC\server\share" read as "C:\x" and "\\server\share", and letters
// match in any case. Case is folded for ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic, the letters of the code pages archive names are
// written in; other characters must match exactly, so that a name spelt
// in another case there reads as another place (refused, never let
// through). Text that is no UTF-8 is compared byte for byte.
bool WindowsPathInside(std::string_view folder, std::string_view path);
// Whether both name the same place by those rules.
bool SameWindowsPath(std::string_view a, std::string_view b);

// Whether Windows takes one level of a path as a device: CON, PRN, AUX,
// NUL, COM1-9 and LPT1-9, and COM or LPT followed by a superscript 1, 2
// or 3, in any case, with any extension, and with blanks before the dot.
// The superscripts count as UTF-8 (as paths are inside the program) and
// as the bytes 0xB9, 0xB2 and 0xB3 of code page 1252.
bool IsWindowsDeviceName(std::string_view level);
// Whether a level ends in a dot or a space, which Windows drops from a
// name as it opens it.
bool EndsInDotOrSpace(std::string_view level);

}  // namespace mw
