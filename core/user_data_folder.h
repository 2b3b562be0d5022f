// The folder where a user's programs keep their data.
#pragma once

#include <string>

namespace mw {

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share
// (%LOCALAPPDATA% on Windows); empty when the environment names none.
std::string UserDataFolder();

}  // namespace mw
