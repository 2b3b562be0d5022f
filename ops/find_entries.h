// Find: the entries whose names match a pattern, in every archive of a
// folder and below it (a GP4 installation).
#pragma once

#include <string>

#include "core/errors.h"
#include "core/wad.h"
#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

// Hears of what the search finds, as it finds it.
class FoundEntries {
public:
    virtual void Found(const std::string& archive, const WadEntry& entry) = 0;
    // An archive whose directory could not be read, or whose entries lie
    // outside it: the error that says why. The search goes on.
    virtual void Failed(const std::string& archive, const AppError& error) = 0;

protected:
    ~FoundEntries() = default;
};

// Reads the directory of every ".wad" file (any case) below folder, in the
// order of their paths, and reports each entry whose name matches pattern
// as extraction matches names (EntryMatches), in table order.
void FindEntries(const std::string& folder, const std::string& pattern, FoundEntries& found);

// The same over the GP4 installation, for a window: without one, the
// user-error box says so and false is returned.
bool FindInInstallation(RunState& state, Frontend& frontend, const std::string& pattern, FoundEntries& found);

}  // namespace mw
