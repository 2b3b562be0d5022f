#include "ops/mods/mod_scope.h"

#include "core/gp4_installation.h"

namespace mw {

std::string ModScopeOf(const std::string& canonicalArchive)
{
    const std::string installation = InstallationHolding(canonicalArchive);
    return installation.empty() ? canonicalArchive : installation;
}

}  // namespace mw
