// Which ledger an archive's mods are kept in: its installation's (the
// nearest folder above it that holds GP4.exe), else its own.
#pragma once

#include <string>

namespace mw {

// Canonical, from the archive's canonical path.
std::string ModScopeOf(const std::string& canonicalArchive);

}  // namespace mw
