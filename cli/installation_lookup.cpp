#include "cli/installation_lookup.h"

#include "settings/system_gp4_installation.h"

namespace mw::cli {

// The same lookup as the windowed program's: the game's installation key,
// read from the Wine prefix on Linux.
std::unique_ptr<Gp4Installation> LookupInstallation()
{
    return MakeSystemGp4Installation();
}

}  // namespace mw::cli
