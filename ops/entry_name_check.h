// Entry names are paths below the output folder of an extraction; a name
// that could lead anywhere else refuses the whole extraction.
#pragma once

#include <string_view>

namespace mw {

// False for a name that is empty, absolute ("\x", "\\server", "\\?\"), has a
// drive ("C:\x", "C:x"), or holds a "." or ".." component. Every "\" is
// turned into "/" before the tests, so both spellings are caught.
bool IsSafeEntryName(std::string_view name);

}  // namespace mw
