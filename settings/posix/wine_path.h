// Windows paths seen from outside a Wine prefix.
#pragma once

#include <optional>
#include <string>

namespace mw {

// The folder that a Windows folder path ("C:\Games\GP4", "/" also taken
// between levels) names inside the prefix: the drive through
// dosdevices/<letter>: (a missing c: falls back to drive_c), then each level
// matched exactly or else ignoring case. Nothing for a path without a drive
// letter (UNC, rooted or relative), a drive the prefix lacks, or a level
// that is not there.
std::optional<std::string> FolderInPrefix(const std::string& prefix, const std::string& windowsPath);

}  // namespace mw
