// Which ledger an archive's mods are kept in: its installation's, when it
// lies inside the installation folder, else its own.
#pragma once

#include <string>

namespace mw {

// Both paths canonical; an empty installation folder means none.
std::string ModScopeOf(const std::string& installationFolder, const std::string& canonicalArchive);

}  // namespace mw
