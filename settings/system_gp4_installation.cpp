#include "settings/system_gp4_installation.h"

#ifdef _WIN32
#include "settings/registry_gp4_installation.h"
#else
#include "settings/wine_prefix_installation.h"
#endif

namespace mw {

std::unique_ptr<Gp4Installation> MakeSystemGp4Installation()
{
#ifdef _WIN32
    return std::make_unique<RegistryGp4Installation>();
#else
    return std::make_unique<WinePrefixInstallation>(DefaultWinePrefix());
#endif
}

}  // namespace mw
