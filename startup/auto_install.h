// The auto-install mode: the program started with two or more arguments by
// an update package. The main window exists but is never shown and the
// message loop never runs.
#pragma once

#include <string>
#include <vector>

#include "ops/run_state.h"
#include "startup/startup_dialogs.h"
#include "startup/program_shell.h"

namespace mw {

// The process's exit codes in this mode.
inline constexpr int kExitDone = 0;       // done, declined, or nothing to do
inline constexpr int kExitFileError = 1;  // an error ended the update; its text was shown
inline constexpr int kExitRefused = 2;    // the update refused its input with a message

// Runs the call that the arguments (the program's own path left out) ask
// for and returns the process's exit code.
int RunAutoInstall(const std::vector<std::string>& arguments, RunState& state, ProgramShell& shell,
                   StartupDialogs& dialogs);

}  // namespace mw
