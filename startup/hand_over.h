// One program per user: a start with an archive (a .wad opened from a file
// manager) while the program runs hands the archive to the running one,
// which shows it in its contents window, and ends. Each toolkit carries the
// path its own way; what is handed over and what the running program does
// with it is the same in both.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "startup/program_shell.h"

namespace mw {

// The archive a start hands over, as a full path: its one argument, when
// that names a .wad file; nothing for any other start.
std::optional<std::string> ArchiveToHandOver(const std::vector<std::string>& arguments);

// The running program's side, once it has taken the archive (it takes
// one only while it runs no operation and asks no question, and only a
// .wad file): the archive goes into the archive field and its contents
// window opens.
void OpenHandedOverArchive(const std::string& archive, ProgramShell& shell);

}  // namespace mw
