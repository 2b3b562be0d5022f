// Where an open folder or file is, as the system reached it: every link on
// its way resolved. Wine gives the target of a Linux symbolic link here
// too, though it shows the link itself as a plain folder or file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mw {

// The full path of what handle has open, for the Win32 calls
// ("\\?\C:\..." or "\\?\UNC\..."), or nothing when the system cannot
// tell: Wine's cannot past MAX_PATH characters.
std::optional<std::wstring> FinalPathOf(HANDLE handle);

// The system's own name of what handle has open ("\Device\HarddiskVolume3\..."
// on Windows, "\??\Z:\..." under Wine), at any length, or nothing: for
// comparing with another such name, never for opening.
std::optional<std::wstring> ObjectPathOf(HANDLE handle);

}  // namespace mw
