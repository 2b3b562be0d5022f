// Entry names are paths below the output folder of an extraction; a name
// that could lead anywhere else refuses the whole extraction.
#pragma once

#include <string>
#include <string_view>

namespace mw {

// False for a name that is empty, absolute ("\x", "\\server", "\\?\"), has a
// drive ("C:\x", "C:x"), holds a "." or ".." component, or ends in a
// separator ("dir\"), which leaves no file name. "\" and "/" both separate
// levels, so both spellings are caught. Where Windows writes the files, a
// level that it cannot name as given is refused too (IsWindowsFileName).
bool IsSafeEntryName(std::string_view name);

// False for one level of a path that Windows would not take as it stands:
// a device name (IsWindowsDeviceName: CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// COM and LPT with a superscript 1-3, with or without an extension, in any
// case), a name ending in a dot or a space, or one that
// holds a control character or one of <>:"|?* (":" would reach an
// alternate data stream).
bool IsWindowsFileName(std::string_view level);

// Refuses, with a UserRefusal that names the file at path, a source file
// whose name part (the relative text of its path that create or update
// makes an entry name of) would give a name that extraction refuses: one
// that fails IsSafeEntryName, or a file or folder name that holds a "\" of
// its own, which would split into levels on extraction.
void CheckSourceName(const std::string& path, std::string_view namePart);

// The entry name ("\" between levels) that the name part of the source
// file at path becomes, after CheckSourceName; a name with a character
// that the archive's code page cannot hold exactly is refused with a
// UserRefusal that names the file.
std::string SourceEntryName(const std::string& path, std::string_view namePart);

}  // namespace mw
