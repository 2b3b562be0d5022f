// The store's cap over the mods' kept bytes. The undo records and the kept
// contents share one cap (RunState::UndoCap): records go first, the oldest
// group at a time, as they always did; when the kept contents alone keep
// the store over the cap, the oldest mods are folded into the archives as
// found, oldest first: they stay as they are for good ("permanent"), the
// bytes only their removal needed are dropped, and so are their records.
// A mod is never dropped in silence: the list says which are permanent.
#pragma once

#include <cstdint>
#include <string>

#include "ops/mods/mod_ledger.h"
#include "ops/run_state.h"

namespace mw {

// The bytes every kept content of the user's mods store takes.
std::int64_t KeptBytesOfStore(const std::string& modsFolder);

// The oldest mod of the ledger that is not permanent yet, other than keep,
// folded into its archives' found states and made permanent; its id, or 0
// when there is none.
std::uint64_t FoldOldestMod(ModLedger& ledger, std::uint64_t keep);

// Folds the scope's oldest mods until the store holds at most its cap,
// keeping keep (the install just made). Only tidies: nothing it meets
// fails the install that called it.
void FoldModsToCap(const RunState& state, const std::string& scope, std::uint64_t keep) noexcept;

}  // namespace mw
