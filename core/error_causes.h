// The cause of an error in plain English, naming the file it concerns, for
// the user who has to act on it: shown below the exact text in the window,
// in parentheses by the command-line tool, and by verify for each faulty
// entry. A format error always says "not a GP4 archive" or "truncated".
#pragma once

#include <string>

#include "core/errors.h"

namespace mw {

// The plain cause, naming the file by its file name ("the disk holding
// cars.wad is full"); where none is known, the system's text for the failed
// call; "" when there is neither.
std::string PlainCause(const AppError& error);

// The cause of a fault found in the archive at path ("cars.wad is truncated:
// entry 830 (cars\ferrari\helmet.tex) ends past the end of the file").
std::string ArchiveFaultCause(const std::string& path, const ArchiveFault& fault);

}  // namespace mw
