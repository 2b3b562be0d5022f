// The shell's small icons, as Explorer shows them: its image list, and the
// icon of a kind of file or folder in it.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace mw {

// The system's list of small icons, shared by every tree and never freed.
HIMAGELIST SmallSystemIcons();
// The index in that list of the icon for a name of that kind (a ".wad"
// file, a folder), open or closed, whether or not it exists.
int SmallIconOfKind(const wchar_t* name, DWORD attributes, bool open = false);

}  // namespace mw
