// The boxes the program shows. The shipped program links program_boxes.cpp
// (the platform's own); the tests build the same program with scripted
// answers instead (tests/win32/scripted_boxes.cpp), so that no switch in
// the shipped program can answer its questions for the user.
#pragma once

#include "win32/boxes.h"

namespace mw {

Win32Boxes& ProgramBoxesInUse();

}  // namespace mw
