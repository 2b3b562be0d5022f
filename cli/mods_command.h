// mendwright-cli's mods and status commands: the installed mods of an
// installation (or of an archive outside any), one mod's entries, their
// changes, and each archive against what the ledger expects.
#pragma once

#include "cli/cli_arguments.h"

namespace mw::cli {

// mods; mods show NAME; mods disable|enable|remove NAME...
int RunModsCommand(const Invocation& invocation);
int RunStatusCommand(const Invocation& invocation);

}  // namespace mw::cli
