// The words the mods list, a mod's entries and an installation's status
// are shown in, the same in the command line and in both windows.
#pragma once

#include <string>

#include "ops/mods/mod_listing.h"

namespace mw {

// "enabled", "disabled, permanent", "partly enabled"...
const char* ModStateText(const ModSummary& mod);
// "3 replaced, 1 appended"
std::string ModCountsText(const ModSummary& mod);
// Who the game reads an entry from now: "this mod", "mod NAME", ...
std::string EntryWinnerText(const ModEntry& entry);
// "as found", "changed by mods: a, b", "entries changed outside: x y", "missing".
std::string ArchiveStatusText(const ArchiveStatus& status);

}  // namespace mw
