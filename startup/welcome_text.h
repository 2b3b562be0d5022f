// The text of the question box that an update package's first call shows.
#pragma once

#include <string>

namespace mw {

// The welcome text naming the GP4 folder that will be patched; the folder
// is empty when the installation lookup found none.
std::string WelcomeText(const std::string& gp4Folder);

}  // namespace mw
