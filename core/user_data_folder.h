// The folders where a user's programs keep their data and the user keeps
// documents.
#pragma once

#include <string>

namespace mw {

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share
// (%LOCALAPPDATA% on Windows); empty when the environment names none.
std::string UserDataFolder();

// The user's documents folder: XDG_DOCUMENTS_DIR of user-dirs.dirs, else
// ~/Documents, else the home folder (the Documents known folder on
// Windows); only an existing folder, empty when there is none.
std::string UserDocumentsFolder();

}  // namespace mw
