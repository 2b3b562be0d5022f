// The four operations, each the logic of one button of the main window.
// User errors go to the frontend's box; file errors are thrown (AppError)
// and end the operation where they happen.
#pragma once

#include <string>

#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

// "Create wad": every file below the source folder into a new archive.
void CreateWad(RunState& state, Frontend& frontend);
// "Extract wad": every entry of the archive into a folder tree.
void ExtractWad(RunState& state, Frontend& frontend);
struct UpdateOptions {
    // The seventeen track archives in the GP4 folder instead of the archive
    // field's, after the user agrees, their undo records one group.
    bool trackBatch = false;
    // Called by an update package: the GP4 folder must be found and the
    // source is not remembered.
    bool fromPackage = false;
    // Only the matching: each source file reported through FileDone as
    // replacing or appended, no archive written.
    bool preview = false;
    // The name of the mod the install makes; empty: its source folder's.
    std::string modName{};
};

// "Update wad": the archive patched with the source file(s). True when the
// update ran to its end ("Update done in ..."), false after a refusal.
bool UpdateWad(RunState& state, Frontend& frontend, const UpdateOptions& options = {});
// "Update track wads": the update over the seventeen track archives.
bool UpdateTrackWads(RunState& state, Frontend& frontend);

}  // namespace mw
