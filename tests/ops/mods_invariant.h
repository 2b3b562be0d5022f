// The mods invariant: after any sequence of installs, disables, enables,
// removals and undos, every archive is the archive as first found with the
// enabled mods installed into it, in install order, byte for byte. A sequence over
// two archives of a small GP4 folder, every choice taken from pick; the
// reference installs the enabled mods afresh, with no undo and no ledger.
// Shared by the mods tests and the mods fuzzer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ops/mods/mod_changes.h"
#include "ops/run_state.h"
#include "ops/undo_store.h"
#include "tests/support/temp_dir.h"

namespace mw::test {

class ModsSequence {
public:
    // pick(n) gives a number below n; folder: where the temporary folder
    // goes ("" for the default); cap: the undo store's cap, which a small
    // one makes the oldest mods permanent.
    ModsSequence(std::function<int(int)> pick, const std::string& folder, std::int64_t cap = kDefaultUndoCap);

    // Each step returns what went wrong, empty when nothing did: an install
    // or change refused or failed, or an archive that is not its reference.
    std::string Install();
    // A mod that the action applies to, picked; none there is no change.
    // A mod the cap made permanent is refused: the mods older than it are
    // permanent too, and nothing changes.
    std::string Change(ModAction action);
    // Undo of one archive, picked: its newest mod goes, from every archive
    // it changed; or the undo is refused and nothing changes.
    std::string Undo();
    // Each archive against the found archive with the enabled mods
    // installed afresh.
    std::string Check();

private:
    struct Mod {
        std::string name;
        std::string folder;
        std::vector<std::string> archives;
        bool enabled = true;
        bool permanent = false;  // known to be, from a refusal
    };

    TempDir dir_;
    std::function<int(int)> pick_;
    RunState state_;
    std::vector<std::string> contents_;
    std::vector<Mod> mods_;
    int installs_ = 0;
};

}  // namespace mw::test
