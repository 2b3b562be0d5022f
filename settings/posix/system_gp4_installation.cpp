#include "settings/system_gp4_installation.h"

#include "settings/posix/wine_prefix_installation.h"

namespace mw {

std::unique_ptr<Gp4Installation> MakeSystemGp4Installation()
{
    return std::make_unique<WinePrefixInstallation>(DefaultWinePrefix());
}

}  // namespace mw
