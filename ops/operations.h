// The operations of the main window's buttons. Each is a function of a
// request that its caller builds when the user acts (the texts typed or
// chosen, and the options), of the run's configuration, and of a frontend
// through which it asks and tells the user while it runs. User errors go
// to the frontend's box; file errors are thrown (AppError) and end the
// operation where they happen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ops/frontend.h"
#include "ops/run_state.h"

namespace mw {

// "Create wad": every file below the source folder into a new archive,
// whose name the frontend asks for.
struct CreateRequest {
    std::string sourceText{};  // the source field's text
};
void CreateWad(const RunState& state, Frontend& frontend, const CreateRequest& request);

// "Extract wad": every entry of the archive, or those the patterns match,
// into a folder tree below the folder the frontend asks for.
struct ExtractRequest {
    std::string archiveText{};  // the archive field's text
    // The names an extraction writes, as patterns; empty: every entry.
    std::vector<std::string> patterns{};
};
void ExtractWad(const RunState& state, Frontend& frontend, const ExtractRequest& request);
// The folder an extraction from archive proposes, with its separator: the
// one the last extraction went into, else the user's documents, else the
// archive's own folder (the game's, which is no place for loose files).
std::string ProposedExtractionFolder(const RunState& state, const std::string& archive);
// Keeps folder (with its separator or not) as the next extraction's proposal.
void RememberExtractionFolder(const RunState& state, const std::string& folder);

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
    // The undo group, and mod, the install joins (a package's series of
    // calls); 0: one of its own.
    std::uint64_t undoGroup = 0;
};

// "Update wad" and "Update track wads": the archive patched with the source
// file(s).
struct UpdateRequest {
    std::string sourceText{};   // the source field's text
    std::string archiveText{};  // the archive field's text; unused by a track batch
    UpdateOptions options{};
};
// True when the update ran to its end ("Update done in ..."), false after a
// refusal.
bool UpdateWad(const RunState& state, Frontend& frontend, const UpdateRequest& request);

// The checks UpdateWad makes of its request before it reads any file,
// made ahead (by an update package, before its question) and with nothing
// remembered: false after showing the first refusal.
bool CheckUpdateRequest(const RunState& state, Frontend& frontend, const UpdateRequest& request);

}  // namespace mw
