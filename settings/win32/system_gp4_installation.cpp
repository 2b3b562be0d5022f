#include "settings/system_gp4_installation.h"

#include "settings/win32/registry_gp4_installation.h"

namespace mw {

std::unique_ptr<Gp4Installation> MakeSystemGp4Installation()
{
    return std::make_unique<RegistryGp4Installation>();
}

}  // namespace mw
