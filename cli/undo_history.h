// `mendwright-cli history ARCHIVE`: the updates undo can step back.
#pragma once

#include <string>

namespace mw::cli {

// Prints on stdout, newest first, one line per update
// (TIME<TAB>WHAT<TAB>SOURCE) and one per entry it changed
// (<TAB>replace<TAB>ENTRY or <TAB>append<TAB>ENTRY), names shown printable.
// A step whose record cannot be read is named on stderr in its place, and
// the others are still printed; the exit code is then kExitFileError. With
// none at all, stderr says so (unless quiet) and the exit code is 0.
int PrintHistory(const std::string& archive, bool quiet);

}  // namespace mw::cli
