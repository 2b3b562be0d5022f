// Names opened relative to an open folder's handle, for core's Win32
// implementation files: Win32 itself opens only full paths.
#pragma once

#include <windows.h>

#include <string>

#include "core/file.h"

namespace mw {

// Opens name in folder with NtCreateFile and FILE_OPEN_REPARSE_POINT, so
// that a symbolic link, junction or mount point is opened as itself and
// never followed; the Win32 error code, 0 on success.
int OpenRelative(const File& folder, const std::string& name, ACCESS_MASK access, ULONG disposition, ULONG options,
                 HANDLE& opened);

// Closes the handle opened at name in folder again when it turns out to be
// a reparse point, or to lead elsewhere than the folder's path and the name
// say (Wine shows Linux symbolic links as plain folders and files); the
// Win32 error code then, 0 when it is where it is named.
int RefuseLink(const File& folder, const std::string& name, HANDLE& handle);

}  // namespace mw
