// The GP4 installation that update-tracks patches when no --gp4 is given.
#pragma once

#include <memory>

#include "core/gp4_installation.h"

namespace mw::cli {

std::unique_ptr<Gp4Installation> LookupInstallation();

}  // namespace mw::cli
