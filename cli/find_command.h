// `mendwright-cli find PATTERN [--gp4 FOLDER]`: the entries that match, in
// every archive of the GP4 installation.
#pragma once

#include "cli/cli_arguments.h"

namespace mw::cli {

// Prints ARCHIVE<TAB>ENTRY<TAB>SIZE on stdout per entry found, and an
// error on stderr per archive that cannot be read; returns the exit code:
// 1 when an archive could not be read, 2 when there is no installation.
int FindInInstallation(const Invocation& invocation);

}  // namespace mw::cli
