#include "core/gp4_installation.h"


namespace mw {

void FixedGp4Installation::GetPath(std::string& path)
{
    SetGP4PathValid(true);
    path = folder_;
}

}  // namespace mw
