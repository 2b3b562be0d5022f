// What the mods list, a mod's entries and the status of an installation
// show, computed from the ledger (and, for what another program changed,
// from the archives).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ops/mods/mod_ledger.h"

namespace mw {

struct ModSummary {
    enum class State { Enabled, Disabled, Partly };
    std::string name;
    State state = State::Enabled;
    bool permanent = false;
    std::int64_t time = 0;
    std::string source;
    ModOrigin origin = ModOrigin::Update;
    std::vector<std::string> archives;  // canonical paths
    int replaced = 0;
    int appended = 0;
    // Its entries that a later enabled mod overwrites with other bytes.
    int overwritten = 0;
};

// The mods in install order. Counts are those of the archives as they are
// now; a disabled mod's, those it would have enabled again.
std::vector<ModSummary> SummariesOf(const ModLedger& ledger);

struct ModEntry {
    std::string archive;  // canonical path
    std::string entry;
    bool appended = false;
    // Who the game reads the entry from now: this mod, a later mod, the
    // archive as found (after a disable), or another program; or nobody,
    // when the entry is not in the archive (a disabled mod's appended one).
    enum class Winner { ThisMod, LaterMod, Found, Outside, Absent };
    Winner winner = Winner::ThisMod;
    std::string laterMod;  // the winning mod's name
};

// The entries of a mod, archive by archive in the archive's order; the live
// archives are read only where another program may have changed them.
std::vector<ModEntry> EntriesOf(const ModLedger& ledger, const InstalledMod& mod);

struct ArchiveStatus {
    std::string archive;  // canonical path
    std::vector<std::string> mods;           // the enabled mods that changed it, in install order
    std::vector<std::string> changedOutside;  // entries another program changed
    bool missing = false;                     // the archive is gone
};

// Every archive of the ledger, against the archive on disk.
std::vector<ArchiveStatus> StatusOf(const ModLedger& ledger);

// The installed mod whose bytes each entry of an archive holds now, by
// entry name, for an update's dry run: entries as found are left out.
std::map<std::string, std::string> ModsHoldingEntries(const ModLedger& ledger, const std::string& canonicalArchive);

}  // namespace mw
