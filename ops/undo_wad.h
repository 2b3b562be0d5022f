// Undo: archives given back as they were before their last updates, from
// the records those updates kept (ops/undo_recorder.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"

#include "ops/frontend.h"
#include "ops/run_state.h"
#include "ops/undo_record.h"

namespace mw {

// One step back, as the history shows it.
struct UndoHistoryItem {
    UndoSummary summary;
    // Every archive the step gives back, by canonical path, this one among
    // them: more than one for an update of a group.
    std::vector<std::string> archives;
    // Set when the step cannot be read (its record, or one of its group's,
    // is damaged or unreadable): what is wrong, naming that record; the
    // summary and archives are then empty.
    std::optional<AppError> damage;
};

// The updates of archive that undo can step back, newest first, a record
// that cannot be read among them as a damaged step. A record of an update
// that never took place (its process ended before the new archive was in
// place) is left out.
std::vector<UndoHistoryItem> UndoHistory(const RunState& state, const std::string& archive);

// "Undo last update": the archive of the archive field given back as it
// was before its last steps updates, one step at a time; an update of a
// group (a track batch, a package run) is undone with the group's other
// archives. A step locks every archive it gives back and checks them all
// before it writes any: an archive changed since its update (its size, its
// modification time, or the checksum its record keeps) is refused, naming
// it, and nothing is written. Each archive is then written beside its
// place, given its old modification time, and put in place. Refusals go to
// the user-error box; true when every step was undone.
struct UndoRequest {
    std::string archiveText{};  // the archive field's text
    int steps = 1;
};
bool UndoWad(const RunState& state, Frontend& frontend, const UndoRequest& request);

// Whether archive is an existing file with an update undo can step back.
bool HasUndoableUpdate(const RunState& state, const std::string& archive);

// Whether a window offers "Undo last update" for the archive field's
// archive: only when its newest update can be undone (the archive is as
// that update wrote it, or the update's mod can be taken out through the
// mods ledger); else why not, for the button's tool tip.
struct UndoOffer {
    bool offered = false;
    std::string whyNot;
};
UndoOffer OfferedUndo(const RunState& state, const std::string& archive);

// "Undo last update" in a window: one step of the archive the archive
// field's text names, after the frontend's question (UndoQuestion) was
// answered yes; true when it was undone.
bool UndoLastUpdate(const RunState& state, Frontend& frontend, const std::string& archiveText);

}  // namespace mw
