// The boxes the program shows. The shipped program links program_dialogs.cpp
// (the platform's own); the tests build the same program with scripted
// answers instead (tests/win32/scripted_dialogs.cpp), so that no switch in
// the shipped program can answer its questions for the user.
#pragma once

#include "win32/dialogs.h"

namespace mw {

Win32Dialogs& ProgramDialogsInUse();

}  // namespace mw
