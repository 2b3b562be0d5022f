// The boxes and file dialogs the program shows. The shipped program links
// program_dialogs.cpp (the platform's own); the tests build the same program
// with scripted answers instead (tests/app/scripted_dialogs.cpp), so that
// no switch in the shipped program can answer its questions for the user.
#pragma once

#include "qt/dialogs/dialogs.h"

namespace mw {

Dialogs& ProgramDialogs();

}  // namespace mw
