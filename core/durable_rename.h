// A rename that outlives a crash of the system: for small files that must
// be complete under their final name before something else happens.
#pragma once

#include <string>

namespace mw {

// Renames from to to (both in one folder, to replaced when it exists) and
// flushes the folder; errors name to.
void RenameDurably(const std::string& from, const std::string& to);

}  // namespace mw
