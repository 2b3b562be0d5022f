// Entry names are paths below the output folder of an extraction; a name
// that could lead anywhere else refuses the whole extraction.
#pragma once

#include <string>
#include <string_view>

namespace mw {

// False for a name that is empty, absolute ("\x", "\\server", "\\?\"), has a
// drive ("C:\x", "C:x"), holds a "." or ".." component, or ends in a
// separator ("dir\"), which leaves no file name. "\" and "/" both separate
// levels, so both spellings are caught.
bool IsSafeEntryName(std::string_view name);

// Refuses, with a UserRefusal that names the file at path, a source file
// whose name part (the relative text of its path that create or update
// makes an entry name of) would give a name that extraction refuses: one
// that fails IsSafeEntryName, or a file or folder name that holds a "\" of
// its own, which would split into levels on extraction.
void CheckSourceName(const std::string& path, std::string_view namePart);

}  // namespace mw
