// Mods disabled, enabled and removed, in any order: each archive a change
// touches is written once, to the archive as found plus the mods that stay
// enabled, under its lock and through the atomic write; the bytes taken out
// are kept, so that a disabled mod can be enabled again at its place.
#pragma once

#include <string>
#include <vector>

#include "ops/frontend.h"
#include "ops/mods/layer_rewrite.h"
#include "ops/run_state.h"

namespace mw {

enum class ModAction { Disable, Enable, Remove };

struct ModChangeRequest {
    // The installation folder, or the archive outside any, canonically.
    std::string scope;
    std::vector<std::string> names;
    ModAction action = ModAction::Disable;
    // Only what each archive would get back, by entry: nothing written.
    bool dryRun = false;
    // Entries changed by another program keep their bytes, and the rest goes on.
    bool force = false;
};

struct ArchiveChanges {
    std::string archive;  // canonical path
    std::vector<EntryChange> changes;
};

// True when the change ran to its end (or, in a dry run, could); changes
// gets what each archive got or would get. Refusals go to the frontend:
// an unknown or permanent mod, or entries another program changed, which
// leave every archive as it was. File errors are thrown.
bool ChangeMods(const RunState& state, Frontend& frontend, const ModChangeRequest& request,
                std::vector<ArchiveChanges>* changes = nullptr);

}  // namespace mw
