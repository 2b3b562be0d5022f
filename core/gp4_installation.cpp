#include "core/gp4_installation.h"


namespace mw {

void FixedGp4Installation::FindInstallationFolder(std::string& path)
{
    SetFoundInstallation(true);
    path = folder_;
}

}  // namespace mw
