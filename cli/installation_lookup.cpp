#include "cli/installation_lookup.h"

namespace mw::cli {

// Until the installation lookup of the settings layer is linked in, no
// installation is found and the batch reports the missing track archive.
std::unique_ptr<Gp4Installation> LookupInstallation()
{
    return nullptr;
}

}  // namespace mw::cli
