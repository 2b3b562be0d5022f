// The GP4 installation that update-tracks and find work on when no --gp4
// is given.
#pragma once

#include <memory>

#include "core/gp4_installation.h"

namespace mw::cli {

std::unique_ptr<Gp4Installation> LookupInstallation();

// What the commands that look the installation up say when it is not found.
inline constexpr const char* kGp4FolderHint = "pass --gp4 FOLDER to name the GP4 installation folder";

}  // namespace mw::cli
