// The four operations, each the logic of one button of the main window.
// User errors go to the frontend's box; file errors are thrown (AppError)
// and end the operation where they happen.
#pragma once

#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

// "Create wad": every file below the source folder into a new archive.
void CreateWad(RunState& state, Frontend& frontend);
// "Extract wad": every entry of the archive into a folder tree.
void ExtractWad(RunState& state, Frontend& frontend);
// "Update wad": the archive patched with the source file(s). True when the
// update ran to its end ("Update done in ..."), false after a refusal.
bool UpdateWad(RunState& state, Frontend& frontend);
// "Update track wads": the update in BatchMode over the seventeen track archives.
bool UpdateTrackWads(RunState& state, Frontend& frontend);

// The same updates run through their own matching, each source file
// reported through FileDone as replacing or appended, with no archive
// written.
bool PreviewUpdateWad(RunState& state, Frontend& frontend);
bool PreviewUpdateTrackWads(RunState& state, Frontend& frontend);

}  // namespace mw
