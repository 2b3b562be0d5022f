// The auto-install mode: the program started with two or more arguments by
// an update package. The main window exists but is never shown and the
// message loop never runs.
#pragma once

#include <QStringList>

#include "ops/run_state.h"

namespace mw {

class Dialogs;
class TForm1;

// Runs the branch for the arguments (the program's own path left out) and
// returns the process's exit code.
int RunAutoInstall(const QStringList& arguments, RunState& state, TForm1& mainWindow, Dialogs& dialogs);

}  // namespace mw
