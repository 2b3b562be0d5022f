// The program's start-up after its windows exist, the same on every platform.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ops/run_state.h"
#include "startup/startup_dialogs.h"
#include "startup/program_shell.h"

namespace mw {

// With fewer than two arguments (the program's own path left out) the main
// window is shown and the message loop runs until it closes; a single
// argument that names an existing .wad file or folder fills the archive or
// source field first (OpenGivenPath), and an archive's contents window opens
// beside the main window. With more, the auto-install branch runs. Returns
// the process's exit code.
int RunMode(const std::vector<std::string>& arguments, RunState& state, ProgramShell& shell, StartupDialogs& dialogs,
            const std::function<int()>& messageLoop);

}  // namespace mw
