// A path the program was started with (a file manager's "Open With"): an
// existing .wad file goes into the archive field, an existing folder into
// the source field, as full paths; anything else changes nothing.
#pragma once

#include <string>

#include "settings/startup_fill.h"

namespace mw {

enum class GivenPath { Archive, Folder, Ignored };

GivenPath OpenGivenPath(const std::string& path, MainWindowFields& mainWindow);

// An existing file whose name ends in ".wad", in any case: what the archive
// field takes, given or dropped.
bool IsWadFile(const std::string& path);

}  // namespace mw
