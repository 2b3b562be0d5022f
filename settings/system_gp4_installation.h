// The GP4 installation lookup of the system the program runs on.
#pragma once

#include <memory>

#include "core/gp4_installation.h"

namespace mw {

// The game's registry key on Windows; the Wine prefix elsewhere
// ($WINEPREFIX, else ~/.wine, read when this is called).
std::unique_ptr<Gp4Installation> MakeSystemGp4Installation();

}  // namespace mw
